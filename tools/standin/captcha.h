// Captcha pictures: a code of capitals and digits drawn with the pixel font,
// scaled to be read easily in the program's 59 x 30 picture box.
#pragma once

#include "png_encoder.h"

#include <string>
#include <string_view>

namespace kesvane::standin {

inline constexpr int kCaptchaWidth = 59;
inline constexpr int kCaptchaHeight = 30;
// Each font pixel becomes a block this many pixels wide and high.
inline constexpr int kCaptchaScaleX = 2;
inline constexpr int kCaptchaScaleY = 3;
inline constexpr int kCaptchaCodeLength = 4;

// The pixel at (0, 0) always has the background colour, so that a picture
// can be told apart from the other site's by one pixel.
struct CaptchaStyle {
    Rgb background;
    Rgb ink;
    Rgb noise;
};

const CaptchaStyle& china_post_captcha_style();
const CaptchaStyle& ems_captcha_style();

// The same code and style always give the same picture; characters the font
// lacks are left out.
Raster draw_captcha(std::string_view code, const CaptchaStyle& style);

std::string captcha_png(std::string_view code, const CaptchaStyle& style);

// A fresh code of kCaptchaCodeLength characters, leaving out the look-alikes
// 0/O and 1/I. Safe to call from any thread.
std::string random_captcha_code();

// 32 hexadecimal capitals, the shape of a servlet container's session id.
std::string random_session_id();

} // namespace kesvane::standin
