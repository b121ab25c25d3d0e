// The result pane's operations as the rest of the program calls them.
#pragma once

#include <string>

namespace kesvane {

// Starts loading a web address or a local file path (GBK). Safe from any
// thread: a worker's call is carried out on the GUI thread.
void pane_navigate(const std::string& target);
void pane_stop();
void pane_command(int id);

// Menu "查淘宝".
void open_taobao_orders();

} // namespace kesvane
