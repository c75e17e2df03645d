// The desktop icon, drawn in the colours the game's own textures use: the
// concrete grey of the walls, the steel of the door frames and the blue of
// a generator's core and its lightning.
#include "tools/assetgen/icon.h"

namespace assetgen {

const char* const kIconName = "compound.svg";

std::string IconSvg()
{
    return R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <radialGradient id="core" cx="32" cy="34" r="16" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffffff"/>
      <stop offset="0.35" stop-color="#8fd4ff"/>
      <stop offset="1" stop-color="#1a4fb8" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="wall" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#7b7d80"/>
      <stop offset="1" stop-color="#45474b"/>
    </linearGradient>
  </defs>
  <rect x="2" y="2" width="60" height="60" rx="8" fill="url(#wall)" stroke="#26282b" stroke-width="2"/>
  <rect x="12" y="12" width="40" height="44" fill="#101318" stroke="#a9b0b8" stroke-width="3"/>
  <path d="M12 18h40M12 50h40" stroke="#5d646c" stroke-width="1.5"/>
  <path d="M22 56v-8h20v8z" fill="#3a3f46"/>
  <rect x="26" y="24" width="12" height="24" rx="3" fill="#2d5a9e"/>
  <circle cx="32" cy="34" r="16" fill="url(#core)"/>
  <path d="M32 14l-4 9 5 2-6 10" fill="none" stroke="#d8f0ff" stroke-width="1.6" stroke-linejoin="round"/>
  <path d="M45 20l-5 7 4 2-5 7" fill="none" stroke="#9fd8ff" stroke-width="1.2" stroke-linejoin="round"/>
</svg>
)svg";
}

void WriteIcon(OutputFolder& out) { out.SaveText(kIconName, IconSvg()); }

}  // namespace assetgen
