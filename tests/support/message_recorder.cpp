#include "message_recorder.h"

#include "gbk_codec.h"

namespace kesvane::testing {

MessageRecorder::MessageRecorder() {
    set_message_box_responder([this](const MessageBoxCall& call) {
        messages.push_back({gbk_to_utf8(call.text), gbk_to_utf8(call.title), call.flags});
        if (answers_.empty()) {
            return true;
        }
        const bool ok = answers_.front();
        answers_.pop_front();
        return ok;
    });
}

MessageRecorder::~MessageRecorder() {
    set_message_box_responder({});
}

} // namespace kesvane::testing
