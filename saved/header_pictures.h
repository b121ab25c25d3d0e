// The sort pictures of the saved list's column header.
#pragma once

#include <QIcon>
#include <QImage>

namespace kesvane {

// Picture 0 (upward triangle) or 1 (downward), 8 x 7, transparent background.
QImage header_picture_image(int picture);
QIcon header_picture(int picture);

} // namespace kesvane
