// Network exchanges that a handler waits for on the GUI thread. While one
// runs, the window keeps painting but takes no input, and nothing else of the
// program runs: results other threads hand over and requests to close a
// window wait until the handler is over.
#pragma once

#include <functional>
#include <string>

namespace kesvane {

// Held for the whole of a handler that waits for exchanges; holds nest. When
// the last one goes, what waited runs, in the order it arrived, from the
// event loop. GUI thread only.
class GuiHold {
public:
    GuiHold();
    ~GuiHold();
    GuiHold(const GuiHold&) = delete;
    GuiHold& operator=(const GuiHold&) = delete;
};

bool gui_held();

// Runs `action` now, or after the last GuiHold has gone. GUI thread only;
// this is how work handed over by worker threads is meant to reach the
// window.
void run_unheld(std::function<void()> action);

// Runs `exchange` on a helper thread and returns its result. The calling
// (GUI) thread waits for it, repainting and running timers, but taking no
// user input and no socket notifications.
std::string wait_for_exchange(std::function<std::string()> exchange);

} // namespace kesvane
