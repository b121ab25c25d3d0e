#include "process_metrics.h"

#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace kesvane::bench {

namespace {

std::int64_t status_field_kib(const std::string& status_path, const std::string& field) {
    std::ifstream in(status_path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            std::istringstream values(line.substr(field.size() + 1));
            std::int64_t kib = 0;
            values >> kib;
            return kib;
        }
    }
    return 0;
}

int parent_of(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream rest(stat.substr(close + 2));
    char state = 0;
    int ppid = -1;
    rest >> state >> ppid;
    return ppid;
}

} // namespace

std::int64_t own_peak_kib() {
    return status_field_kib("/proc/self/status", "VmHWM");
}

std::int64_t tree_resident_kib() {
    std::map<int, int> parents;
    if (DIR* proc = ::opendir("/proc")) {
        while (dirent* entry = ::readdir(proc)) {
            const int pid = std::atoi(entry->d_name);
            if (pid > 0) {
                parents[pid] = parent_of(pid);
            }
        }
        ::closedir(proc);
    }
    const int self = ::getpid();
    std::int64_t total = 0;
    for (const auto& [pid, ppid] : parents) {
        for (int p = pid; p > 1; p = parents.count(p) ? parents[p] : -1) {
            if (p == self) {
                total += status_field_kib("/proc/" + std::to_string(pid) + "/status", "VmRSS");
                break;
            }
        }
    }
    return total;
}

std::int64_t monotonic_micros() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

} // namespace kesvane::bench
