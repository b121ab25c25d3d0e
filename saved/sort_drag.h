// Column sorting and drag reordering of the saved-number list.
#pragma once

namespace kesvane {

void sort_by_column(int column);
void begin_row_drag();
void track_row_drag(int x, int y);
void drop_dragged_row();

} // namespace kesvane
