// The About window: its control table, its information text and its
// creation step.
#pragma once

#include "form.h"

#include <QDialog>

#include <span>
#include <string>

namespace kesvane {

std::span<const ControlSpec> about_window_controls();

// The text of `标签1`, GBK, lines ending with CR LF.
std::string about_information_text();

// A new About window, its title line already shown; the caller runs and
// deletes it.
QDialog* create_about_window();

// Sets `标签3` to the program's name and version, as in the main caption.
void show_about_title(QDialog* window);

} // namespace kesvane
