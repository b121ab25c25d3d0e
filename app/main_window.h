// The main window: built from its control and menu tables, wired to the
// handlers of every subsystem through its event table.
#pragma once

#include "result_pane.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QListWidget;
class QMenu;
class QTableWidget;

namespace kesvane {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs the start-up sequence. Tests pass a
    // recording pane in place of the browser.
    explicit MainWindow(std::unique_ptr<ResultPane> pane);
    ~MainWindow() override;

    ResultPane& pane() { return *pane_; }
    // The hidden "保存列表" menu, opened as the saved list's popup.
    QMenu* saved_list_popup() const { return saved_list_popup_; }
    // A menu item by its text (UTF-8, as in the menu table).
    QAction* menu_item(const char* text) const;
    // Writes part `index` of the status bar.
    void set_status_text(int index, const QString& text);
    QString status_text(int index) const;

    // Runs the shutdown sequence once; closing, Exit and SIGTERM all end here.
    void shut_down();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menus();
    void wire_events();
    void start_up();

    std::unique_ptr<ResultPane> pane_;
    QMenu* saved_list_popup_ = nullptr;
    // The two lists whose events the window filters, looked up once.
    QListWidget* couriers_ = nullptr;
    QTableWidget* saved_list_ = nullptr;
    bool shut_down_ = false;
};

// The program's one main window; nullptr before it exists and after it is gone.
MainWindow* main_window();

// A control of the main window by its name.
template <class T> T* main_control(const char* name) {
    MainWindow* window = main_window();
    return window == nullptr ? nullptr : window->findChild<T*>(QString::fromUtf8(name));
}

} // namespace kesvane
