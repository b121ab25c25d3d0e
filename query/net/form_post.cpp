#include "form_post.h"

#include "gbk_text.h"
#include "http_exchange.h"
#include "request_text.h"

namespace kesvane {

namespace {

bool has_reply(const HttpReply& reply) {
    return reply.outcome == ExchangeOutcome::complete ||
           reply.outcome == ExchangeOutcome::cut_at_bound;
}

} // namespace

std::string post_form(const std::string& url, const std::string& referer, const std::string& body,
                      const RequestControl& control) {
    HttpRequest request;
    request.url = escape_for_request_line(until_first_zero(url));
    request.method = "POST";
    request.body = std::string(until_first_zero(body));
    request.header_lines = {
        {"Content-Type: application/x-www-form-urlencoded", true},
        {header_line("Referer", escape_for_header_value(until_first_zero(referer))), false},
        {"Content-Length: " + std::to_string(request.body.size()), true},
    };
    const HttpReply reply = perform_exchange(request, control);
    if (!has_reply(reply)) {
        return {};
    }
    return std::string(until_first_zero(reply.body));
}

std::string download_bytes(const std::string& url, const RequestControl& control) {
    HttpRequest request;
    request.url = escape_for_request_line(until_first_zero(url));
    HttpReply reply = perform_exchange(request, control);
    if (!has_reply(reply)) {
        return {};
    }
    return std::move(reply.body);
}

} // namespace kesvane
