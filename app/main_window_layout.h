// The main window as data: frame, controls and menus.
#pragma once

#include "form.h"

#include <span>

namespace kesvane {

inline constexpr int kMainWindowWidth = 861;
inline constexpr int kMainWindowHeight = 591;
inline constexpr int kStatusCreditWidth = 100;

std::span<const ControlSpec> main_window_controls();

enum class MenuHandler {
    None,
    AddNumber,
    EditNumber,
    DeleteNumber,
    DeleteAll,
    Query,
    Taobao,
    ToggleAutoSave,
    DefaultSkin,
    SkinRedChina,
    SkinBlocks,
    Exit,
    Print,
    PrintPreview,
    PageSetup,
    HelpMessage,
    HomePage,
    CheckUpdate,
    About,
};

struct MenuItemSpec {
    const char* text; // UTF-8
    int level;        // 0 = menu bar entry
    MenuHandler handler;
    bool hidden = false;
    bool checked = false;
    const char* hint = nullptr; // shown after a tab, not a shortcut
};

std::span<const MenuItemSpec> main_window_menus();

// Fixed text of the status bar's first part.
const char* status_credit_text();

} // namespace kesvane
