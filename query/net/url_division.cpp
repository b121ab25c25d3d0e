// Dividing a request address into host, port and path.

#include <climits>
#include <string_view>

#include "gbk_text.h"
#include "web_request.h"

namespace kesvane {

namespace {

constexpr std::string_view http_prefix = "http://";

bool has_http_prefix(std::string_view url) {
    return starts_with_text(url, http_prefix);
}

// What lies between the "http://" prefix (if any) and the first "/" after it.
std::string_view authority(std::string_view url) {
    if (has_http_prefix(url)) {
        const int slash = find_text(url, "/", static_cast<int>(http_prefix.size()) + 1);
        if (slash == -1) {
            return url.substr(http_prefix.size());
        }
        return url.substr(http_prefix.size(), static_cast<std::size_t>(slash) - 8);
    }
    const int slash = find_text(url, "/");
    if (slash == -1) {
        return url;
    }
    return url.substr(0, static_cast<std::size_t>(slash) - 1);
}

int to_int(double value) {
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace

std::string split_host(const std::string& url) {
    std::string_view host = authority(url);
    const int colon = find_text(host, ":");
    if (colon != -1) {
        host = host.substr(0, static_cast<std::size_t>(colon) - 1);
    }
    return ascii_lower(host);
}

int split_port(const std::string& url) {
    const std::string_view part = authority(url);
    const int colon = find_text(part, ":");
    const std::string_view port_text =
        colon == -1 ? std::string_view("80") : part.substr(static_cast<std::size_t>(colon));
    return to_int(leading_number(port_text));
}

std::string split_path(const std::string& url) {
    // The host is looked for behind the "http://" prefix, so that a host such
    // as "h" or "tp" is not found inside the prefix itself.
    const int after_prefix = has_http_prefix(url) ? static_cast<int>(http_prefix.size()) + 1 : 1;
    const int host_at = find_text(url, split_host(url), after_prefix);
    if (host_at == -1) {
        return "/";
    }
    const int slash = find_text(url, "/", host_at);
    if (slash == -1) {
        return "/";
    }
    return url.substr(static_cast<std::size_t>(slash) - 1);
}

} // namespace kesvane
