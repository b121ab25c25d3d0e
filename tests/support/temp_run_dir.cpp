#include "temp_run_dir.h"

#include "store_location.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kesvane::testing {

TempRunDir::TempRunDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kesvane-test-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(root_ / "temp");
    if (const char* temp = std::getenv("TEMP")) {
        had_temp_ = true;
        old_temp_ = temp;
    }
    ::setenv("TEMP", (root_ / "temp").c_str(), 1);
    set_run_directory(root_.string());
}

TempRunDir::~TempRunDir() {
    if (had_temp_) {
        ::setenv("TEMP", old_temp_.c_str(), 1);
    } else {
        ::unsetenv("TEMP");
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempRunDir::store_file() const {
    return (root_ / "Danhao.edb").string();
}

std::string TempRunDir::report_file() const {
    return (root_ / "temp" / "temp.htm").string();
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace kesvane::testing
