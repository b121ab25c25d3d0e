// The add and edit windows.
#pragma once

namespace kesvane {

void open_add_window();
void open_edit_window();

} // namespace kesvane
