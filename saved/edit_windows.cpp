#include "edit_windows.h"

namespace kesvane {

void open_add_window() {}
void open_edit_window() {}

} // namespace kesvane
