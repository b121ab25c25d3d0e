#include "recording_pane.h"

namespace kesvane::testing {

RecordingPane::RecordingPane() : widget_(new QWidget()) {}

RecordingPane::~RecordingPane() {
    if (widget_ != nullptr && widget_->parent() == nullptr) {
        delete widget_;
    }
}

} // namespace kesvane::testing
