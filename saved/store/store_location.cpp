#include "store_location.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace kesvane {

namespace {

namespace fs = std::filesystem;

std::optional<std::string>& run_directory_override() {
    static std::optional<std::string> folder;
    return folder;
}

std::string home_directory() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return {};
}

bool is_writable_folder(const std::string& folder) {
    return !folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string program_directory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::string user_data_directory() {
    fs::path base;
    if (const char* data_home = std::getenv("XDG_DATA_HOME");
        data_home && fs::path(data_home).is_absolute()) {
        base = data_home;
    } else {
        const std::string home = home_directory();
        if (home.empty()) {
            return {};
        }
        base = fs::path(home) / ".local" / "share";
    }
    const fs::path folder = base / "kesvane";
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) ? folder.string() : std::string();
}

std::string run_directory() {
    if (run_directory_override()) {
        return *run_directory_override();
    }
    // A system-wide install cannot keep its store beside the program.
    std::string folder = program_directory();
    return is_writable_folder(folder) ? folder : user_data_directory();
}

void set_run_directory(const std::string& folder) {
    if (folder.empty()) {
        run_directory_override().reset();
    } else {
        run_directory_override() = folder;
    }
}

std::string store_path() {
    return run_directory() + "/Danhao.edb";
}

} // namespace kesvane
