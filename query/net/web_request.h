// One complete HTTP exchange on libcurl, returning the reply body as text.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace kesvane {

// Limits and cancellation of one exchange. The defaults are the program's;
// tests shorten the timeouts.
struct RequestControl {
    // Set from another thread to abandon the exchange; polled while it runs.
    const std::atomic<bool>* cancel = nullptr;
    std::chrono::milliseconds connect_timeout{18000};
    // Longest time without any progress while sending or receiving.
    std::chrono::milliseconds stall_timeout{18000};
    // A larger reply body is cut here.
    std::size_t max_body_bytes = 32u * 1024u * 1024u;
};

// url: "http://host[:port][/path]" or the same without the scheme.
// method: "POST" in any letter case is POST (sent with the caller's letters),
// anything else is GET. proxy: an HTTP proxy "host:port". headers: extra
// lines, each ending in CR LF. body: sent with POST only. response_headers:
// receives the raw header block of the final reply, CR LF line ends.
// Returns the body up to its first zero byte; the empty text on failure, or
// what had been read when a failure struck during reading.
std::string web_request(const std::string& url, const std::string& method = {},
                        const std::optional<std::string>& proxy = std::nullopt,
                        const std::string& headers = {}, const std::string& body = {},
                        std::string* response_headers = nullptr,
                        const RequestControl& control = {});

// The URL division used by web_request.
std::string split_host(const std::string& url);
int split_port(const std::string& url);
std::string split_path(const std::string& url);

} // namespace kesvane
