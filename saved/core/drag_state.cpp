#include "drag_state.h"

namespace kesvane {

void begin_drag(DragState& state) {
    state.drag_target = -1;
    state.drag_source = -1;
    state.pointer_in_list = true;
}

TrackStep track_drag(DragState& state, const PointerSample& sample) {
    TrackStep step;
    if (state.drag_target == 0) {
        return step;
    }
    step.act = true;
    if (!sample.left_button_down) {
        // The release happened where the list could not see it, or was
        // outside the list.
        state = DragState{};
        step.ended = true;
        return step;
    }
    state.pointer_in_list = sample.in_list;
    if (state.drag_target == -1) {
        state.drag_source = sample.selected_row;
        step.move_pointer = true;
    }
    const int h = sample.hit_row;
    if (h >= 0) {
        state.drag_target = h + 1;
    }
    step.select_row = h;
    if (h >= 0) {
        if (state.drag_target > state.drag_source) {
            // On the dragged row or below it: bring the next row into view.
            if (state.drag_target < sample.row_count) {
                step.scroll_to_row = h + 1;
            }
        } else if (h >= 1) {
            step.scroll_to_row = h - 1;
        }
    }
    return step;
}

DropStep drop_drag(DragState& state) {
    DropStep step;
    if (state.drag_target < 1 || state.drag_source == -1 || !state.pointer_in_list) {
        return step;
    }
    step.move = true;
    step.from = state.drag_source;
    step.to = state.drag_target - 1;
    state = DragState{};
    return step;
}

} // namespace kesvane
