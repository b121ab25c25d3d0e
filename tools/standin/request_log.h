// What the stand-in sites received, in arrival order, for tests to inspect.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesvane {

struct LoggedRequest {
    std::string method;
    // Path and query exactly as they stood in the request line.
    std::string target;
    // "Name: value", one per header line received (the server library keeps
    // them sorted by name, not in the order they were sent).
    std::vector<std::string> header_lines;
    std::string body;

    // The target up to its '?'.
    std::string path() const;
    // The first value of a header, name compared without letter case; empty
    // when it was not sent.
    std::string header(std::string_view name) const;
    bool has_header(std::string_view name) const;
};

class RequestLog {
public:
    using Match = std::function<bool(const LoggedRequest&)>;

    void add(LoggedRequest request);
    std::vector<LoggedRequest> entries() const;
    void clear();

    // The first entry (since the last clear) that matches, waiting for one
    // to arrive for at most `timeout`.
    std::optional<LoggedRequest> wait_for(const Match& match,
                                          std::chrono::milliseconds timeout) const;

    // Called with every new entry, outside the log's lock.
    void set_sink(std::function<void(const LoggedRequest&)> sink);

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<LoggedRequest> entries_;
    std::function<void(const LoggedRequest&)> sink_;
};

} // namespace kesvane
