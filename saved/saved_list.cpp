#include "saved_list.h"

namespace kesvane {

void reload_saved_list() {}
void fill_from_saved_row() {}
void open_saved_list_popup(const QPoint&) {}
void saved_list_key_pressed(int) {}
void toggle_auto_save() {}
bool auto_save_enabled() { return false; }
void auto_save_number(const std::string&, const std::string&) {}

} // namespace kesvane
