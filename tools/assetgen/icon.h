// The game's desktop icon: a scalable picture of a generator's glowing core
// seen through a compound wall's opening, written as SVG so that one file
// serves every icon size a desktop asks for.
#pragma once

#include "tools/assetgen/output_folder.h"

#include <string>

namespace assetgen {

// The icon's file name in the output folder; the install puts it among the
// desktop's icons instead of the game's data.
extern const char* const kIconName;

std::string IconSvg();
void WriteIcon(OutputFolder& out);

}  // namespace assetgen
