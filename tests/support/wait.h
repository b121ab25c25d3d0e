// Waiting for something that the event loop brings about.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace kesvane::testing {

// Runs the event loop until `condition` holds or `timeout_ms` has passed.
inline bool wait_until(const std::function<bool()>& condition, int timeout_ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout_ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace kesvane::testing
