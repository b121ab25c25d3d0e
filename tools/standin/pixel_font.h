// A 5 x 7 pixel font for digits and capital letters, enough to draw a
// captcha code without any imaging library.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kesvane::standin {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Row r (0 = top) of a glyph; bit 4 is the leftmost column.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

// The glyph of '0'-'9' or 'A'-'Z'; nothing for any other character.
std::optional<Glyph> glyph_for(char c);

inline bool glyph_pixel(const Glyph& glyph, int column, int row) {
    return ((glyph[row] >> (kGlyphWidth - 1 - column)) & 1) != 0;
}

} // namespace kesvane::standin
