// Windows are described as tables of named controls; build_form creates
// them and handlers find them again by name.
#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <span>
#include <vector>

namespace kesvane {

enum class ControlKind {
    Label,
    Edit,          // single-line edit box
    MultiLineEdit, // multi-line edit box without scroll bars
    GroupBox,
    PictureBox,
    Button,
    CheckList,   // list of items with a check box each
    ListView,    // report view: columns, header, full-row selection, grid
    DropDown,    // non-editable drop-down list
    Placeholder, // an empty area that a component fills later (the browser pane)
};

enum ControlOption : unsigned {
    kNone = 0,
    kTabStop = 1u << 0,
    kDefaultButton = 1u << 1,
    kUpperCase = 1u << 2,     // letters typed or pasted become capitals
    kCentred = 1u << 3,       // text centred
    kKeepSelection = 1u << 4, // selection stays visible without the focus
};

struct ControlSpec {
    const char* name; // object name, as the handlers address the control
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const char* text = "";            // caption or initial text, UTF-8
    std::vector<const char*> items{}; // check-list, drop-down items or list columns
    int font_pixels = 0;              // character height of the 宋体 font; 0 = default GUI font
    unsigned options = kNone;
    int max_chars = 0;                // edit boxes: at most this many characters (0 = no limit)
    int max_gbk_bytes = 0;            // edit boxes: at most this many GBK bytes (0 = no limit)
    std::vector<int> column_widths{}; // list views
};

// Creates the controls on `client` (positions are client-area pixels), in
// table order, with group boxes kept below the controls placed on them.
// Tab order follows the table among the tab-stop controls.
void build_form(QWidget* client, std::span<const ControlSpec> controls);

// The 宋体 family where the system has it, else an installed CJK font.
QString song_font_family();

// A control of a window by its name; nullptr when there is none.
template <class T> T* find_control(const QObject* window, const char* name) {
    return window->findChild<T*>(QString::fromUtf8(name));
}

} // namespace kesvane
