// The result pane on QtWebEngine.
#pragma once

#include "result_pane.h"

#include <QPointer>
#include <QWebEngineView>

#include <memory>

class QPrinter;

namespace kesvane {

class LocalPageSchemeHandler;

class WebEnginePane : public ResultPane {
    Q_OBJECT

public:
    explicit WebEnginePane(QObject* parent = nullptr);
    ~WebEnginePane() override;

    // Registers the URL scheme that serves local report pages; must run
    // before the QApplication exists.
    static void register_local_scheme();

    QWidget* widget() override;
    void navigate(const std::string& target) override;
    void stop() override;
    void command(int id) override;

    // The shown document into a text PDF; `done` gets whether it worked.
    void print_to_pdf(const QString& path);
    QWebEngineView* view() const { return view_; }

signals:
    void pdfPrinted(bool ok);

private:
    void print_with_dialog();
    void print_preview();
    void page_setup();

    QPointer<QWebEngineView> view_;
    LocalPageSchemeHandler* scheme_handler_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool has_document_ = false;
};

} // namespace kesvane
