// worker_slot: the last started worker thread (an API query or the update
// check). A worker is ended by raising its cancel flag, which its network
// request polls; from that moment it writes and shows nothing, because
// everything it shows is handed to the GUI thread, which drops it once the
// flag is up.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace kesvane {

struct WorkerContext {
    std::shared_ptr<std::atomic<bool>> cancelled;

    const std::atomic<bool>* cancel_flag() const { return cancelled.get(); }

    // Runs `action` on the GUI thread, unless the worker has been ended by
    // the time the GUI thread gets to it. Stop and shutdown run on the GUI
    // thread too, so an ended worker never shows anything afterwards.
    // `dropped` runs on the GUI thread instead when the action is dropped.
    void on_gui_thread(std::function<void()> action, std::function<void()> dropped = {}) const;
};

enum class WorkerKind { Query, UpdateCheck };

// Starts `body` on a new thread and puts it into worker_slot; a worker that
// was in the slot before keeps running but is no longer reachable by Stop.
void start_worker(WorkerKind kind, std::function<void(const WorkerContext&)> body);

// Ends the worker in worker_slot at once and empties the slot; harmless when
// the slot is empty or its worker has finished. GUI thread only.
void end_worker_in_slot();

// Whether the slot holds a worker of `kind` that has not finished yet.
bool worker_running(WorkerKind kind);

// Waits for every thread ever started (after they have been ended); called
// when the program goes away so that no thread outlives the objects it uses.
void join_all_workers();

} // namespace kesvane
