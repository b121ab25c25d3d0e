// One HTTP exchange on libcurl with the request line and header lines under
// the caller's control, redirects followed hop by hop, cancellation, a stall
// timeout and a bound on the reply body. The routines of web_request.h and
// form_post.h are built on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "web_request.h"

namespace kesvane {

struct HeaderLine {
    // "Name: value" as sent, or "Name:" to keep libcurl from sending a line
    // of that name of its own accord.
    std::string text;
    // Sent only while the request carries a body (dropped when a redirect
    // turns a POST into a GET).
    bool with_body_only = false;
};

struct HttpRequest {
    // Absolute "http://" or "https://" address whose bytes may all stand in a
    // request line.
    std::string url;
    // Sent on the request line as written; anything that is not POST in some
    // letter case is a GET.
    std::string method = "GET";
    std::vector<HeaderLine> header_lines;
    std::string body;
    // An HTTP proxy "host:port"; absent: a direct connection whatever the
    // environment says.
    std::optional<std::string> proxy;
    // Empty: no User-Agent line.
    std::string user_agent;
};

enum class ExchangeOutcome {
    complete,     // the final reply arrived in full
    cut_at_bound, // the body ran past max_body_bytes and was cut there
    failed,       // nothing or only part of the reply arrived
    cancelled,    // RequestControl::cancel was set
};

struct HttpReply {
    ExchangeOutcome outcome = ExchangeOutcome::failed;
    // Bytes of the final reply's body that arrived, at most max_body_bytes.
    std::string body;
    // The final reply's status line and header lines, each ending in CR LF,
    // and the empty line that closes them (when it arrived).
    std::string headers;
};

HttpReply perform_exchange(const HttpRequest& request, const RequestControl& control);

// True when `method` selects a POST (any letter case).
bool is_post_method(const std::string& method);

} // namespace kesvane
