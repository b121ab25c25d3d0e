// The state machine behind dragging a saved number to another row. The
// widget side asks it what to do at each mouse event and carries it out.
#pragma once

namespace kesvane {

struct DragState {
    // 0: no drag; -1: the left button went down in the list and the pointer
    // has not moved since; n >= 1: row n - 1 is the drop row.
    int drag_target = 0;
    // The dragged row, -1 when there is none.
    int drag_source = -1;
    // Whether the last movement seen was over the list. A release outside
    // the list drops nothing; the next movement with the button up ends the
    // drag.
    bool pointer_in_list = true;
};

// What the list sees at a movement of the pointer.
struct PointerSample {
    bool left_button_down = false; // live state, not the event's flags
    bool in_list = true;           // the point lies inside the rows' area
    int selected_row = -1;         // the list's selected row before this movement
    int hit_row = -1;              // the row under the pointer, -1 when none
    int row_count = 0;
};

// What the list must do after a movement.
struct TrackStep {
    bool act = false;          // false: the movement is none of the drag's business
    bool ended = false;        // the drag is over: default pointer
    bool move_pointer = false; // show the four-headed move pointer
    int select_row = -1;       // the row to select, -1 for none (only when act && !ended)
    int scroll_to_row = -1;    // the row to scroll into view, -1 for none
};

// Where a release moves a row; `move` is false when it moves nothing.
struct DropStep {
    bool move = false;
    int from = -1;
    int to = -1;
};

void begin_drag(DragState& state);
TrackStep track_drag(DragState& state, const PointerSample& sample);
DropStep drop_drag(DragState& state);

} // namespace kesvane
