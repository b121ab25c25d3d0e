// A temporary run folder and TEMP folder for one test: the store and the
// report page live there, and both are removed afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace kesvane::testing {

class TempRunDir {
public:
    TempRunDir();
    ~TempRunDir();

    const std::filesystem::path& path() const { return root_; }
    std::string store_file() const;
    std::string report_file() const;

private:
    std::filesystem::path root_;
    std::string old_temp_;
    bool had_temp_ = false;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

} // namespace kesvane::testing
