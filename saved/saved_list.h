// The saved-number list of the main window and its small handlers.
#pragma once

#include <string>

class QPoint;

namespace kesvane {

void reload_saved_list();
// A left click in the list.
void fill_from_saved_row();
// A right click in the list: the "保存列表" popup at `global_position`.
void open_saved_list_popup(const QPoint& global_position);
// A key pressed in the list; 46 is the Delete key.
void saved_list_key_pressed(int key_code);
// Menu "自动保存单号".
void toggle_auto_save();
// Whether "自动保存单号" carries its mark.
bool auto_save_enabled();
// The automatic save of a query: saves `number` with `company` unless a row
// already begins with it.
void auto_save_number(const std::string& number, const std::string& company);

} // namespace kesvane
