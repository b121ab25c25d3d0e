// The About window and the help message.
#pragma once

namespace kesvane {

void open_about_window();
void show_help_message();

} // namespace kesvane
