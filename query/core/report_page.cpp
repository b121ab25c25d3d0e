#include "report_page.h"

#include "config.h"
#include "gbk_codec.h"
#include "gbk_text.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

extern char** environ;

namespace kesvane {

namespace {

std::string temp_folder() {
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const size_t equals = variable.find('=');
        if (equals != std::string_view::npos && equals_text(variable.substr(0, equals), "temp") &&
            equals + 1 < variable.size()) {
            return std::string(variable.substr(equals + 1));
        }
    }
    std::error_code error;
    const std::filesystem::path system_temp = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : system_temp.string();
}

bool write_all(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string report_path() {
    std::string folder = temp_folder();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder + "/temp.htm";
}

std::string stage_report_page(const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::string staged = report_path() + ".part" + std::to_string(::getpid()) + "-" +
                               std::to_string(counter.fetch_add(1));
    const int fd = ::open(staged.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return {};
    }
    const bool ok = write_all(fd, bytes) && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) {
        ::unlink(staged.c_str());
        return {};
    }
    return staged;
}

bool commit_report_page(const std::string& staged_path) {
    if (staged_path.empty()) {
        return false;
    }
    if (std::rename(staged_path.c_str(), report_path().c_str()) != 0) {
        ::unlink(staged_path.c_str());
        return false;
    }
    return true;
}

bool write_report_page(const std::string& bytes) {
    return commit_report_page(stage_report_page(bytes));
}

void delete_report_page() {
    const std::string page = report_path();
    ::unlink(page.c_str());
    // Pages this process staged but never showed (a worker ended between
    // writing and showing) go with it; other processes' files stay.
    const std::string own_prefix = "temp.htm.part" + std::to_string(::getpid()) + "-";
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(page).parent_path();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().filename().string().rfind(own_prefix, 0) == 0) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

std::string api_report_footer() {
    return "\r\n<a href=\"" + config().publisher_site_url + "/" +
           "\" target=\"_blank\"><font color=\"#0066FF\" size=\"2\">Powered by Kesvane & "
           "</font>\r\n<a href=\"" +
           config().kuaidi100_site_url + "/" +
           gbk("\" target=\"_blank\"><font color=\"#0066FF\" size=\"2\">Powered  by "
               "快递100</font>\r\n\r\n</html>");
}

} // namespace kesvane
