#include "captcha.h"

#include "pixel_font.h"

#include <cstdint>
#include <mutex>
#include <random>

namespace kesvane::standin {

namespace {

constexpr int kGlyphGap = 4;
constexpr int kNoiseDots = 14;

std::uint32_t fnv1a(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

std::mutex random_mutex;

std::mt19937& generator() {
    static std::mt19937 engine{std::random_device{}()};
    return engine;
}

std::string random_text(std::string_view alphabet, int length) {
    std::lock_guard lock(random_mutex);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += alphabet[pick(generator())];
    }
    return text;
}

void put(Raster& raster, int x, int y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < raster.width && y < raster.height) {
        raster.at(x, y) = colour;
    }
}

} // namespace

const CaptchaStyle& china_post_captcha_style() {
    // Post-office green on a pale cream ground.
    static const CaptchaStyle style{{255, 248, 220}, {0, 102, 51}, {190, 215, 190}};
    return style;
}

const CaptchaStyle& ems_captcha_style() {
    // EMS yellow on its dark blue.
    static const CaptchaStyle style{{0, 51, 153}, {255, 204, 0}, {70, 100, 180}};
    return style;
}

Raster draw_captcha(std::string_view code, const CaptchaStyle& style) {
    Raster raster(kCaptchaWidth, kCaptchaHeight, style.background);
    std::uint32_t seed = fnv1a(code);
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 16;
    };

    for (int i = 0; i < kNoiseDots; ++i) {
        const int x = 1 + static_cast<int>(next() % (kCaptchaWidth - 1));
        const int y = 1 + static_cast<int>(next() % (kCaptchaHeight - 1));
        put(raster, x, y, style.noise);
    }

    std::string drawable;
    for (char c : code) {
        if (glyph_for(c)) {
            drawable += c;
        }
    }
    const int cell_width = kGlyphWidth * kCaptchaScaleX;
    const int cell_height = kGlyphHeight * kCaptchaScaleY;
    const int count = static_cast<int>(drawable.size());
    const int total = count * cell_width + (count > 0 ? (count - 1) * kGlyphGap : 0);
    const int left = (kCaptchaWidth - total) / 2;
    const int top = (kCaptchaHeight - cell_height) / 2;

    for (int i = 0; i < count; ++i) {
        const Glyph glyph = *glyph_for(drawable[i]);
        // A little vertical wobble per character, as captchas have.
        const int y0 = top - 2 + static_cast<int>(next() % 6);
        const int x0 = left + i * (cell_width + kGlyphGap);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (!glyph_pixel(glyph, column, row)) {
                    continue;
                }
                for (int dy = 0; dy < kCaptchaScaleY; ++dy) {
                    for (int dx = 0; dx < kCaptchaScaleX; ++dx) {
                        put(raster, x0 + column * kCaptchaScaleX + dx,
                            y0 + row * kCaptchaScaleY + dy, style.ink);
                    }
                }
            }
        }
    }
    raster.at(0, 0) = style.background;
    return raster;
}

std::string captcha_png(std::string_view code, const CaptchaStyle& style) {
    return encode_png(draw_captcha(code, style));
}

std::string random_captcha_code() {
    return random_text("ABCDEFGHJKLMNPQRSTUVWXYZ23456789", kCaptchaCodeLength);
}

std::string random_session_id() {
    return random_text("0123456789ABCDEF", 32);
}

} // namespace kesvane::standin
