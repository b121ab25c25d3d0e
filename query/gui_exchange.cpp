#include "gui_exchange.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <deque>
#include <memory>
#include <thread>

namespace kesvane {

namespace {

// A window closed meanwhile (by the window manager, say) would run the
// shutdown in the middle of the handler; the close is taken up again once
// the handler is over.
class CloseHolder : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

int hold_depth = 0;
CloseHolder* close_holder = nullptr;
std::deque<std::function<void()>> waiting;
bool flush_posted = false;

void flush_waiting() {
    flush_posted = false;
    while (!waiting.empty() && hold_depth == 0) {
        std::function<void()> action = std::move(waiting.front());
        waiting.pop_front();
        action();
    }
}

void post_flush() {
    if (flush_posted || QCoreApplication::instance() == nullptr) {
        return;
    }
    flush_posted = true;
    QTimer::singleShot(0, QCoreApplication::instance(), flush_waiting);
}

bool CloseHolder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close) {
        return false;
    }
    if (watched->isWindowType()) {
        QPointer<QWindow> window(static_cast<QWindow*>(watched));
        waiting.emplace_back([window] {
            if (window) {
                window->close();
            }
        });
        event->ignore();
        return true;
    }
    if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        QPointer<QWidget> widget(static_cast<QWidget*>(watched));
        waiting.emplace_back([widget] {
            if (widget) {
                widget->close();
            }
        });
        event->ignore();
        return true;
    }
    return false;
}

} // namespace

GuiHold::GuiHold() {
    if (hold_depth++ == 0 && QCoreApplication::instance() != nullptr) {
        close_holder = new CloseHolder;
        QCoreApplication::instance()->installEventFilter(close_holder);
    }
}

GuiHold::~GuiHold() {
    if (--hold_depth != 0) {
        return;
    }
    delete close_holder;
    close_holder = nullptr;
    if (!waiting.empty()) {
        post_flush();
    }
}

bool gui_held() {
    return hold_depth > 0;
}

void run_unheld(std::function<void()> action) {
    if (hold_depth == 0 && waiting.empty()) {
        action();
        return;
    }
    waiting.push_back(std::move(action));
    if (hold_depth == 0) {
        post_flush();
    }
}

std::string wait_for_exchange(std::function<std::string()> exchange) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (QCoreApplication::instance() == nullptr || dispatcher == nullptr) {
        return exchange();
    }
    GuiHold hold;
    struct Shared {
        std::atomic<bool> done{false};
        std::string result;
    };
    auto shared = std::make_shared<Shared>();
    std::thread helper([shared, dispatcher, exchange = std::move(exchange)] {
        shared->result = exchange();
        shared->done.store(true);
        dispatcher->wakeUp();
    });
    // A plain processEvents loop rather than a QEventLoop: quitting the
    // application meanwhile must not end the wait before the exchange ends.
    while (!shared->done.load()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::WaitForMoreEvents);
    }
    helper.join();
    return std::move(shared->result);
}

} // namespace kesvane
