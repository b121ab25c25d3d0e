#include "web_engine_pane.h"

#include "local_page_scheme.h"
#include "qt_text.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlScheme>
#include <QWebEngineView>

namespace kesvane {

namespace {

// A page that sends links opening a new window to the desktop's browser, as
// the old embedded browser opened them in a browser window of their own.
class ResultPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        auto* catcher = new QWebEnginePage(profile(), this);
        connect(catcher, &QWebEnginePage::urlChanged, catcher, [catcher](const QUrl& url) {
            if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
                QDesktopServices::openUrl(url);
            }
            catcher->deleteLater();
        });
        return catcher;
    }
};

bool looks_like_web_address(const QString& target) {
    const int colon = target.indexOf(QLatin1Char(':'));
    // "C:\..." has a one-letter scheme; "/tmp/temp.htm" has none.
    return colon > 1 && target.mid(colon, 3) == QLatin1String("://");
}

} // namespace

void WebEnginePane::register_local_scheme() {
    QWebEngineUrlScheme scheme(LocalPageSchemeHandler::scheme_name());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

WebEnginePane::WebEnginePane(QObject* parent) : ResultPane(parent) {
    view_ = new QWebEngineView();
    auto* page = new ResultPage(view_);
    view_->setPage(page);
    QWebEngineSettings* settings = page->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

    // One handler serves the whole process; it lives as long as the
    // application, which outlives every pane.
    QWebEngineProfile* profile = page->profile();
    auto* installed = const_cast<QWebEngineUrlSchemeHandler*>(
        profile->urlSchemeHandler(LocalPageSchemeHandler::scheme_name()));
    scheme_handler_ = qobject_cast<LocalPageSchemeHandler*>(installed);
    if (scheme_handler_ == nullptr) {
        scheme_handler_ = new LocalPageSchemeHandler(QCoreApplication::instance());
        profile->installUrlSchemeHandler(LocalPageSchemeHandler::scheme_name(), scheme_handler_);
    }

    connect(page, &QWebEnginePage::linkHovered, this, &ResultPane::statusTextChanged);
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
        has_document_ = true;
        emit downloadComplete();
    });
}

WebEnginePane::~WebEnginePane() {
    if (view_ && view_->parent() == nullptr) {
        delete view_;
    }
}

QWidget* WebEnginePane::widget() {
    return view_;
}

void WebEnginePane::navigate(const std::string& target) {
    const QString text = to_qstring(target);
    if (looks_like_web_address(text)) {
        view_->load(QUrl(text));
        return;
    }
    const QString path = QDir::fromNativeSeparators(QFileInfo(text).absoluteFilePath());
    view_->load(scheme_handler_->allow(path));
}

void WebEnginePane::stop() {
    view_->stop();
}

void WebEnginePane::command(int id) {
    if (!has_document_) {
        return;
    }
    switch (id) {
    case kCommandPrint:
        print_with_dialog();
        break;
    case kCommandPrintPreview:
        print_preview();
        break;
    case kCommandPageSetup:
        page_setup();
        break;
    default:
        break;
    }
}

void WebEnginePane::print_to_pdf(const QString& path) {
    QWebEnginePage* page = view_->page();
    connect(
        page, &QWebEnginePage::pdfPrintingFinished, this,
        [this](const QString&, bool ok) { emit pdfPrinted(ok); }, Qt::SingleShotConnection);
    page->printToPdf(path);
}

void WebEnginePane::print_with_dialog() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(printer_.get(), view_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QEventLoop wait;
    connect(view_, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
    view_->print(printer_.get());
    wait.exec();
}

void WebEnginePane::print_preview() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintPreviewDialog preview(printer_.get(), view_);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        QEventLoop wait;
        connect(view_, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
        view_->print(printer);
        wait.exec();
    });
    preview.exec();
}

void WebEnginePane::page_setup() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPageSetupDialog dialog(printer_.get(), view_);
    dialog.exec();
}

} // namespace kesvane
