// Every question and notice of the program goes through here, so that tests
// can answer them without a person.
#pragma once

#include <functional>
#include <string>

namespace kesvane {

// The Windows message-box flags the program uses.
enum MessageBoxFlags : int {
    kBoxOk = 0,
    kBoxOkCancelExclamation = 49,
    kBoxExclamation = 48,
    kBoxInformation = 64,
    kBoxOkCancelInformation = 65,
};

struct MessageBoxCall {
    std::string text;  // GBK
    std::string title; // GBK
    int flags = 0;
};

// A task-modal box with no owner window; true when OK was chosen.
bool message_box(const std::string& text, const std::string& title, int flags);

// A box with no owner that blocks nothing: the main window keeps taking
// input while it is open. `done` runs on the GUI thread with the answer.
// Must be called on the GUI thread.
void message_box_modeless(const std::string& text, const std::string& title, int flags,
                          std::function<void(bool ok)> done = {});

// Tests install a responder that answers every box (modal and modeless)
// instead of showing it; an empty responder brings back the real boxes.
using MessageBoxResponder = std::function<bool(const MessageBoxCall&)>;
void set_message_box_responder(MessageBoxResponder responder);

} // namespace kesvane
