// Column sorting and drag reordering of the saved-number list.
#pragma once

namespace kesvane {

// A click on the header of column `column`.
void sort_by_column(int column);

// Left button pressed in the list.
void begin_row_drag();
// Pointer moved over the list; x, y in the coordinates of the rows' area.
void track_row_drag(int x, int y);
// Left button released in the list.
void drop_dragged_row();

// Whether the left mouse button is down at this moment (not as an event
// reported it).
bool left_button_down_now();

} // namespace kesvane
