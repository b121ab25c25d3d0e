// Writes an 8-bit RGB picture as a PNG file held in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kesvane::standin {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // row by row, top row first

    Raster(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The PNG bytes of the raster; empty if compression fails.
std::string encode_png(const Raster& raster);

} // namespace kesvane::standin
