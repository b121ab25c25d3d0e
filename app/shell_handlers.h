// The small window-level handlers of the main window.
#pragma once

#include <string>

class QWidget;

namespace kesvane {

struct PaneLayout {
    int pane_width;
    int pane_height;
    int group_width;
    int group_height;
};

// The result area for an outer window size of width x height.
PaneLayout layout_for_window_size(int width, int height);

// Clear: empties the number box and then the captcha box.
void clear_form();
// The number box got the focus: Query becomes the default button.
void number_box_focused();
// The captcha box got the focus: it is emptied.
void captcha_box_focused();
// The captcha text changed: Refresh becomes ordinary, Query the default.
void captcha_text_changed();
// Menu "查询(&C)": Query becomes the default button, then the query runs.
void menu_query();
// Menu "退出(&X)".
void exit_program();

// Makes `button` the window's default push button (true) or an ordinary one.
void set_default_button(const char* button_name, bool is_default);

} // namespace kesvane
