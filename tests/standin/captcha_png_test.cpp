#include "captcha.h"
#include "pixel_font.h"
#include "standin_fixture.h"

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <set>

namespace {

using kesvane::standin::Raster;
using kesvane::standin::Rgb;

std::uint32_t read_u32(const std::string& bytes, std::size_t at) {
    return (std::uint32_t(std::uint8_t(bytes[at])) << 24) |
           (std::uint32_t(std::uint8_t(bytes[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(bytes[at + 2])) << 8) |
           std::uint32_t(std::uint8_t(bytes[at + 3]));
}

// A strict decoder for what a captcha picture should be: a PNG with good
// CRCs, 8-bit RGB, no interlace, every scanline unfiltered.
std::optional<Raster> decode_png(const std::string& png) {
    if (png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        ADD_FAILURE() << "no PNG signature";
        return std::nullopt;
    }
    std::size_t at = 8;
    int width = 0;
    int height = 0;
    std::string packed;
    bool ended = false;
    while (at + 12 <= png.size() && !ended) {
        const std::uint32_t length = read_u32(png, at);
        const std::string type = png.substr(at + 4, 4);
        if (at + 12 + length > png.size()) {
            ADD_FAILURE() << "chunk " << type << " runs past the end";
            return std::nullopt;
        }
        const std::string data = png.substr(at + 8, length);
        const auto crc = crc32(0L, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4);
        EXPECT_EQ(read_u32(png, at + 8 + length), crc) << "CRC of " << type;
        if (type == "IHDR") {
            EXPECT_EQ(length, 13u);
            width = static_cast<int>(read_u32(data, 0));
            height = static_cast<int>(read_u32(data, 4));
            EXPECT_EQ(data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
        } else if (type == "IDAT") {
            packed += data;
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(at, png.size());
    const std::size_t row_bytes = 1 + 3 * std::size_t(width);
    std::string scanlines(row_bytes * height, '\0');
    uLongf size = scanlines.size();
    if (uncompress(reinterpret_cast<Bytef*>(scanlines.data()), &size,
                   reinterpret_cast<const Bytef*>(packed.data()), packed.size()) != Z_OK ||
        size != scanlines.size()) {
        ADD_FAILURE() << "IDAT does not inflate to " << height << " rows";
        return std::nullopt;
    }
    Raster raster(width, height, {});
    for (int y = 0; y < height; ++y) {
        const char* row = scanlines.data() + y * row_bytes;
        EXPECT_EQ(row[0], 0);
        for (int x = 0; x < width; ++x) {
            raster.at(x, y) = {std::uint8_t(row[1 + 3 * x]), std::uint8_t(row[2 + 3 * x]),
                               std::uint8_t(row[3 + 3 * x])};
        }
    }
    return raster;
}

// Reads the code back: every place where a scaled glyph matches the ink
// exactly, left to right.
std::string read_code(const Raster& raster, Rgb ink) {
    using namespace kesvane::standin;
    const int w = kGlyphWidth * kCaptchaScaleX;
    const int h = kGlyphHeight * kCaptchaScaleY;
    std::string code;
    for (int x = 0; x + w <= raster.width; ++x) {
        for (int y = 0; y + h <= raster.height; ++y) {
            for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
                const Glyph glyph = *glyph_for(c);
                bool same = true;
                for (int dy = 0; dy < h && same; ++dy) {
                    for (int dx = 0; dx < w && same; ++dx) {
                        same = (raster.at(x + dx, y + dy) == ink) ==
                               glyph_pixel(glyph, dx / kCaptchaScaleX, dy / kCaptchaScaleY);
                    }
                }
                if (same) {
                    code += c;
                }
            }
        }
    }
    return code;
}

class CaptchaPicture : public StandinTest {};

TEST_F(CaptchaPicture, ChinaPostPictureShowsTheSessionCodeIn59By30) {
    for (int round = 0; round < 3; ++round) {
        const auto res = get("/image");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->get_header_value("Content-Type"), "image/png");
        const auto raster = decode_png(res->body);
        ASSERT_TRUE(raster);
        EXPECT_EQ(raster->width, 59);
        EXPECT_EQ(raster->height, 30);
        const auto& style = kesvane::standin::china_post_captcha_style();
        EXPECT_EQ(raster->at(0, 0), style.background);
        EXPECT_EQ(read_code(*raster, style.ink), sites.last_captcha_code());
    }
}

TEST_F(CaptchaPicture, EmsPictureIsReadableAndLooksDifferent) {
    const auto raster = decode_png(get("/servlet/ImageCaptchaServlet")->body);
    ASSERT_TRUE(raster);
    const auto& ems = kesvane::standin::ems_captcha_style();
    const auto& post = kesvane::standin::china_post_captcha_style();
    EXPECT_EQ(raster->at(0, 0), ems.background);
    EXPECT_NE(ems.background, post.background);
    EXPECT_NE(ems.ink, post.ink);
    EXPECT_EQ(read_code(*raster, ems.ink), sites.last_ems_captcha_code());
}

TEST(CaptchaFont, EveryCodeCharacterHasItsOwnGlyph) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::set<kesvane::standin::Glyph> seen;
    for (char c : characters) {
        const auto glyph = kesvane::standin::glyph_for(c);
        ASSERT_TRUE(glyph) << c;
        seen.insert(*glyph);
    }
    EXPECT_EQ(seen.size(), characters.size());
    EXPECT_FALSE(kesvane::standin::glyph_for('a'));
    for (int i = 0; i < 50; ++i) {
        const std::string code = kesvane::standin::random_captcha_code();
        ASSERT_EQ(code.size(), 4u);
        EXPECT_EQ(code.find_first_of("01IOabcdefghijklmnopqrstuvwxyz"), std::string::npos) << code;
    }
}

} // namespace
