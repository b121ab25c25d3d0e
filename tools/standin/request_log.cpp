#include "request_log.h"

#include "html_text.h"

#include <algorithm>

namespace kesvane {

std::string LoggedRequest::path() const {
    return target.substr(0, target.find('?'));
}

std::string LoggedRequest::header(std::string_view name) const {
    for (const auto& line : header_lines) {
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos &&
            standin::equal_ignoring_ascii_case(std::string_view(line).substr(0, colon), name)) {
            std::size_t start = colon + 1;
            if (start < line.size() && line[start] == ' ') {
                ++start;
            }
            return line.substr(start);
        }
    }
    return {};
}

bool LoggedRequest::has_header(std::string_view name) const {
    return std::any_of(header_lines.begin(), header_lines.end(), [name](const std::string& line) {
        const std::size_t colon = line.find(':');
        return colon != std::string::npos &&
               standin::equal_ignoring_ascii_case(std::string_view(line).substr(0, colon), name);
    });
}

void RequestLog::add(LoggedRequest request) {
    std::function<void(const LoggedRequest&)> sink;
    {
        std::lock_guard lock(mutex_);
        entries_.push_back(request);
        sink = sink_;
    }
    arrived_.notify_all();
    if (sink) {
        sink(request);
    }
}

std::vector<LoggedRequest> RequestLog::entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

void RequestLog::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

std::optional<LoggedRequest> RequestLog::wait_for(const Match& match,
                                                  std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    std::optional<LoggedRequest> found;
    arrived_.wait_for(lock, timeout, [&] {
        const auto it = std::find_if(entries_.begin(), entries_.end(), match);
        if (it != entries_.end()) {
            found = *it;
        }
        return found.has_value();
    });
    return found;
}

void RequestLog::set_sink(std::function<void(const LoggedRequest&)> sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

} // namespace kesvane
