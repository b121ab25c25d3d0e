#include "header_pictures.h"

#include "header_picture_table.h"

#include <QPixmap>

namespace kesvane {

QImage header_picture_image(int picture) {
    QImage image(kHeaderPictureWidth, kHeaderPictureHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const HeaderPictureRows& rows = header_picture_rows(picture);
    for (int y = 0; y < kHeaderPictureHeight; ++y) {
        for (int x = 0; x < kHeaderPictureWidth; ++x) {
            const char pixel = rows[static_cast<size_t>(y)][x];
            if (pixel == 'G') {
                image.setPixel(x, y, qRgb(127, 127, 127));
            } else if (pixel == 'W') {
                image.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    }
    return image;
}

QIcon header_picture(int picture) {
    static const QIcon pictures[2] = {QIcon(QPixmap::fromImage(header_picture_image(0))),
                                      QIcon(QPixmap::fromImage(header_picture_image(1)))};
    return pictures[picture == 0 ? 0 : 1];
}

} // namespace kesvane
