#include "png_encoder.h"

#include <zlib.h>

namespace kesvane::standin {

namespace {

void append_u32(std::string& out, std::uint32_t value) {
    out += static_cast<char>((value >> 24) & 0xFF);
    out += static_cast<char>((value >> 16) & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

// A chunk's CRC covers its type and data, not its length.
void append_chunk(std::string& out, const char type[4], const std::string& data) {
    append_u32(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    const auto crc =
        crc32(0L, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    append_u32(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::string encode_png(const Raster& raster) {
    // Every scanline starts with filter type 0 (none).
    std::string scanlines;
    scanlines.reserve(std::size_t(raster.height) * (1 + 3 * std::size_t(raster.width)));
    for (int y = 0; y < raster.height; ++y) {
        scanlines += '\0';
        for (int x = 0; x < raster.width; ++x) {
            const Rgb& p = raster.at(x, y);
            scanlines += static_cast<char>(p.r);
            scanlines += static_cast<char>(p.g);
            scanlines += static_cast<char>(p.b);
        }
    }

    uLongf packed_size = compressBound(static_cast<uLong>(scanlines.size()));
    std::string packed(packed_size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                  reinterpret_cast<const Bytef*>(scanlines.data()),
                  static_cast<uLong>(scanlines.size()), Z_BEST_COMPRESSION) != Z_OK) {
        return {};
    }
    packed.resize(packed_size);

    std::string header;
    append_u32(header, static_cast<std::uint32_t>(raster.width));
    append_u32(header, static_cast<std::uint32_t>(raster.height));
    header += '\x08'; // bit depth
    header += '\x02'; // colour type: RGB
    header += '\0';   // compression method
    header += '\0';   // filter method
    header += '\0';   // no interlace

    std::string png = "\x89PNG\r\n\x1a\n";
    append_chunk(png, "IHDR", header);
    append_chunk(png, "IDAT", packed);
    append_chunk(png, "IEND", {});
    return png;
}

} // namespace kesvane::standin
