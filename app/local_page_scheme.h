// Serves local report pages to the browser with their charset stated. The
// pages are GBK bytes without a charset declaration, and Chromium would
// otherwise guess, wrongly for short pages.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace kesvane {

class LocalPageSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    static QByteArray scheme_name();

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // The address under which `path` is served. Only the file last allowed
    // is served: a page cannot reach other local files through the scheme.
    QUrl allow(const QString& path);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString allowed_path_;
};

} // namespace kesvane
