// Where "Danhao.edb" lives: the folder of the program file, or, when that
// folder is not writable (a system-wide install), the user's data folder.
#pragma once

#include <string>

namespace kesvane {

// Folder of the running program file, without a trailing separator.
std::string program_directory();

// The folder that holds the store: program_directory() when writable, else
// $XDG_DATA_HOME/kesvane or ~/.local/share/kesvane (created when missing).
std::string run_directory();

// $XDG_DATA_HOME/kesvane, or ~/.local/share/kesvane when that variable is
// unset or not an absolute path; created when missing. Empty when it cannot
// be created.
std::string user_data_directory();

// Tests run the program against a temporary folder; an empty folder goes
// back to the choice above.
void set_run_directory(const std::string& folder);

// run_directory() + "/Danhao.edb".
std::string store_path();

} // namespace kesvane
