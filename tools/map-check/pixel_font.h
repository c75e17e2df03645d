// A 5 x 7 pixel font for the map picture's legend and numbers: digits,
// capital letters (small ones are drawn as capitals) and a little
// punctuation. Each glyph is seven rows of five bits, the leftmost pixel in
// bit 4; characters it lacks are drawn blank.
#pragma once

#include <cstdint>
#include <string>

namespace mapcheck {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;  // one blank column between characters

// The seven rows of the character, top first.
const std::uint8_t* Glyph(char c);
// Pixels from the first column of the first character to the last column
// of the last one.
int TextWidth(const std::string& text);

}  // namespace mapcheck
