// Answers every message box of the program and remembers what was asked.
#pragma once

#include "message_box.h"

#include <deque>
#include <string>
#include <vector>

namespace kesvane::testing {

struct RecordedMessage {
    std::string text;  // UTF-8, for readable assertions
    std::string title; // UTF-8
    int flags = 0;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    // The answers to the next questions, in order; OK when none is queued.
    void answer_next(bool ok) { answers_.push_back(ok); }

    std::vector<RecordedMessage> messages;

private:
    std::deque<bool> answers_;
};

} // namespace kesvane::testing
