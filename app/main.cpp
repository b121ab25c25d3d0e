// Kesvane: parcel tracking for Chinese couriers.
#include "main_window.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signal_pipe[2] = {-1, -1};

void on_terminate_signal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signal_pipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the program through the same shutdown as Exit.
void route_terminate_signals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signal_pipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        notifier->setEnabled(false);
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signal_pipe[0], &byte, 1);
        QApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = on_terminate_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char* argv[]) {
    kesvane::WebEnginePane::register_local_scheme();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesvane"));
    route_terminate_signals(app);

    auto* window = new kesvane::MainWindow(std::make_unique<kesvane::WebEnginePane>());
    window->show();
    const int code = QApplication::exec();
    // Destroying the window runs the shutdown sequence when it has not run yet.
    delete window;
    return code;
}
