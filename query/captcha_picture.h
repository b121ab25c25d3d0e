// Captcha pictures as the sites send them.
#pragma once

#include <QPixmap>

#include <string>

namespace kesvane {

// A GIF, JPEG or PNG picture from its bytes; a null pixmap for empty bytes,
// other formats and pictures that cannot be decoded.
QPixmap captcha_picture(const std::string& bytes);

// Shows `bytes` in the picture box 验证码图片; anything that is no picture
// leaves the box blank.
void show_captcha_picture(const std::string& bytes);

} // namespace kesvane
