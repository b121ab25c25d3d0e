#include "local_page_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineUrlRequestJob>

namespace kesvane {

QByteArray LocalPageSchemeHandler::scheme_name() {
    return QByteArrayLiteral("kesvane-page");
}

QUrl LocalPageSchemeHandler::allow(const QString& path) {
    allowed_path_ = path;
    QUrl url;
    url.setScheme(QString::fromLatin1(scheme_name()));
    url.setPath(path);
    return url;
}

void LocalPageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString path = job->requestUrl().path();
    if (allowed_path_.isEmpty() || path != allowed_path_) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(file.readAll());
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArrayLiteral("text/html;charset=GBK"), buffer);
}

} // namespace kesvane
