#include "version_reply.h"

#include "gbk_text.h"

namespace kesvane {

namespace {

constexpr double kVersionMargin = 0.0000001;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim_line_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Digits with at most one decimal point, and at least one digit.
bool is_version_number(std::string_view text) {
    bool seen_digit = false;
    bool seen_point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            seen_digit = true;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            return false;
        }
    }
    return seen_digit;
}

// A 2xx status in "HTTP/1.1 200 OK".
bool status_is_success(std::string_view header_block) {
    const size_t space = header_block.find(' ');
    if (space == std::string_view::npos || space + 3 > header_block.size()) {
        return false;
    }
    const std::string_view code = header_block.substr(space + 1, 3);
    return code[0] == '2' && code[1] >= '0' && code[1] <= '9' && code[2] >= '0' && code[2] <= '9';
}

} // namespace

VersionVerdict judge_version_reply(std::string_view header_block, std::string_view body,
                                   std::string_view running_version) {
    // An error page ("404 Not Found") would otherwise read as version 404,
    // and a failed request as version 0: neither says anything about updates.
    const std::string_view version = trim_line_blanks(body);
    if (!status_is_success(header_block) || !is_version_number(version)) {
        return VersionVerdict::unknown;
    }
    const double latest = leading_number(version);
    const double running = leading_number(running_version);
    return latest - running > kVersionMargin ? VersionVerdict::newer : VersionVerdict::up_to_date;
}

} // namespace kesvane
