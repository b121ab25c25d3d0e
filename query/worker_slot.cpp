#include "worker_slot.h"

#include "gui_exchange.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <list>
#include <mutex>
#include <thread>

namespace kesvane {

namespace {

struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> cancelled;
    std::shared_ptr<std::atomic<bool>> finished;
};

std::mutex workers_mutex;
std::list<Worker> all_workers;
std::shared_ptr<std::atomic<bool>> slot_cancel;
std::shared_ptr<std::atomic<bool>> slot_finished;
WorkerKind slot_kind = WorkerKind::Query;

// Joins threads that have already returned, so that a long session does not
// pile them up.
void reap_finished_workers() {
    std::lock_guard lock(workers_mutex);
    for (auto it = all_workers.begin(); it != all_workers.end();) {
        if (it->finished->load()) {
            it->thread.join();
            it = all_workers.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

void WorkerContext::on_gui_thread(std::function<void()> action,
                                  std::function<void()> dropped) const {
    QObject* receiver = QCoreApplication::instance();
    if (receiver == nullptr) {
        return;
    }
    auto flag = cancelled;
    QMetaObject::invokeMethod(
        receiver,
        [flag, action = std::move(action), dropped = std::move(dropped)] {
            // A handler that waits for an exchange holds the GUI; the
            // worker's result waits for it to finish.
            run_unheld([flag, action, dropped] {
                if (!flag->load()) {
                    action();
                } else if (dropped) {
                    dropped();
                }
            });
        },
        Qt::QueuedConnection);
}

void start_worker(WorkerKind kind, std::function<void(const WorkerContext&)> body) {
    reap_finished_workers();
    WorkerContext context{std::make_shared<std::atomic<bool>>(false)};
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([context, finished, body = std::move(body)] {
        body(context);
        finished->store(true);
    });
    std::lock_guard lock(workers_mutex);
    all_workers.push_back({std::move(thread), context.cancelled, finished});
    slot_cancel = context.cancelled;
    slot_finished = finished;
    slot_kind = kind;
}

void end_worker_in_slot() {
    std::lock_guard lock(workers_mutex);
    if (slot_cancel) {
        slot_cancel->store(true);
    }
    slot_cancel.reset();
    slot_finished.reset();
}

bool worker_running(WorkerKind kind) {
    std::lock_guard lock(workers_mutex);
    return slot_finished && !slot_finished->load() && slot_kind == kind;
}

void join_all_workers() {
    std::list<Worker> workers;
    {
        std::lock_guard lock(workers_mutex);
        workers.swap(all_workers);
    }
    for (Worker& worker : workers) {
        worker.cancelled->store(true);
        worker.thread.join();
    }
}

} // namespace kesvane
