#include "sort_drag.h"

namespace kesvane {

void sort_by_column(int) {}
void begin_row_drag() {}
void track_row_drag(int, int) {}
void drop_dragged_row() {}

} // namespace kesvane
