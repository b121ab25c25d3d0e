#include "captcha_picture.h"

#include "main_window.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QLabel>

namespace kesvane {

QPixmap captcha_picture(const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format != "gif" && format != "jpeg" && format != "png") {
        return {};
    }
    buffer.seek(0);
    QImageReader reader(&buffer, format);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void show_captcha_picture(const std::string& bytes) {
    auto* picture = main_control<QLabel>("验证码图片");
    if (picture == nullptr) {
        return;
    }
    const QPixmap pixmap = captcha_picture(bytes);
    if (pixmap.isNull()) {
        picture->clear();
    } else {
        picture->setPixmap(pixmap);
    }
}

} // namespace kesvane
