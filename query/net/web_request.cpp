#include "web_request.h"

#include <string_view>

#include "gbk_text.h"
#include "http_exchange.h"
#include "request_text.h"

namespace kesvane {

namespace {

constexpr const char* user_agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

constexpr const char* default_accept_line =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

constexpr int default_http_port = 80;

// Only what a host name can hold; anything else (a user part, a query left
// in the host because the address had no path) could only fail to resolve,
// and must not be read by libcurl as a part of a longer address.
bool is_host_name(std::string_view host) {
    if (host.empty()) {
        return false;
    }
    for (const char c : host) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

// The caller's lines, then the default lines the caller did not give. The
// search is not bound to line starts, so "X-Accept: 1" also holds "Accept: ".
std::string header_block(std::string_view caller_block, std::string_view url) {
    std::string block(caller_block);
    if (!contains_text(caller_block, "Accept: ")) {
        block += default_accept_line;
    }
    if (!contains_text(caller_block, "Referer: ")) {
        block += "Referer: ";
        block += escape_for_header_value(url);
        block += "\r\n";
    }
    if (!contains_text(caller_block, "Accept-Language: ")) {
        block += "Accept-Language: zh-cn\r\n";
    }
    return block;
}

} // namespace

std::string web_request(const std::string& url_text, const std::string& method_text,
                        const std::optional<std::string>& proxy, const std::string& headers_text,
                        const std::string& body_text, std::string* response_headers,
                        const RequestControl& control) {
    if (response_headers != nullptr) {
        response_headers->clear();
    }
    const std::string url(until_first_zero(url_text));
    const std::string method(until_first_zero(method_text));
    const std::string body(until_first_zero(body_text));

    const std::string host = split_host(url);
    int port = split_port(url);
    if (port == 0) {
        port = default_http_port;
    }
    if (!is_host_name(host) || port < 1 || port > 65535) {
        return {};
    }

    HttpRequest request;
    request.url =
        "http://" + host + ":" + std::to_string(port) + escape_for_request_line(split_path(url));
    const bool post = is_post_method(method);
    request.method = post ? method : "GET";
    if (proxy) {
        request.proxy = std::string(until_first_zero(*proxy));
    }
    request.user_agent = user_agent;
    for (std::string& line :
         split_header_block(header_block(until_first_zero(headers_text), url))) {
        request.header_lines.push_back({std::move(line), false});
    }
    if (post && !body.empty()) {
        request.body = body;
        request.header_lines.push_back({"Content-Type: application/x-www-form-urlencoded", true});
        request.header_lines.push_back({"Content-Length: " + std::to_string(body.size()), true});
    }

    HttpReply reply = perform_exchange(request, control);
    if (reply.outcome == ExchangeOutcome::cancelled) {
        return {};
    }
    if (response_headers != nullptr) {
        *response_headers = std::move(reply.headers);
    }
    return std::string(until_first_zero(reply.body));
}

} // namespace kesvane
