// The result browser pane as the rest of the program sees it. The real pane
// wraps QtWebEngine; tests put a recording fake in its place.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <string>

namespace kesvane {

// Document command identifiers of the print menu items.
enum PaneCommand : int {
    kCommandPrint = 27,
    kCommandPrintPreview = 2003,
    kCommandPageSetup = 2004,
};

class ResultPane : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~ResultPane() override = default;

    // The widget shown in the main window; the pane owns it until the
    // window takes it.
    virtual QWidget* widget() = 0;

    // Starts loading a web address or a local file path (GBK); returns at
    // once. Local pages are GBK bytes and are shown as GBK.
    virtual void navigate(const std::string& target) = 0;

    // Halts the navigation and downloads under way.
    virtual void stop() = 0;

    // Print, print preview, page setup of the shown document; nothing
    // happens before a document exists.
    virtual void command(int id) = 0;

signals:
    void statusTextChanged(const QString& text);
    // Every finished, failed or halted load.
    void downloadComplete();
};

} // namespace kesvane
