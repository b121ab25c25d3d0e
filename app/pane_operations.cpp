#include "pane_operations.h"

#include "addresses.h"
#include "main_window.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace kesvane {

void pane_navigate(const std::string& target) {
    MainWindow* window = main_window();
    if (window == nullptr) {
        return;
    }
    if (QThread::currentThread() != window->thread()) {
        QMetaObject::invokeMethod(
            window, [target] { pane_navigate(target); }, Qt::QueuedConnection);
        return;
    }
    window->pane().navigate(target);
}

void pane_stop() {
    if (MainWindow* window = main_window()) {
        window->pane().stop();
    }
}

void pane_command(int id) {
    if (MainWindow* window = main_window()) {
        window->pane().command(id);
    }
}

void open_taobao_orders() {
    pane_navigate(taobao_bought_items_address());
}

} // namespace kesvane
