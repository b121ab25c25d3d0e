// The China Post mail-query site: "/image" starts or reuses a session
// (cookie JSESSIONID) and draws a new code for it; "/queryMail.do" answers
// the query form with the result page only when the session's code was
// typed, a rejection page otherwise.
#pragma once

#include "reply.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace kesvane::standin {

// Numbers the site knows; any other number gets a "no such mail" table.
inline constexpr const char* kChinaPostDeliveredNumber = "1234567890";
inline constexpr const char* kChinaPostInTransitNumber = "EA123456789CN";

// Fields of a form body as a servlet sees them: split at '&', then at the
// first '=', '+' and %XX decoded.
std::map<std::string, std::string> parse_form_body(std::string_view body);

// The value of `name` in Cookie header values ("a=1; b=2"); every value
// found, in order.
std::vector<std::string> cookie_values(const std::vector<std::string>& cookie_headers,
                                       std::string_view name);

class ChinaPostSite {
public:
    Reply captcha_image(const std::vector<std::string>& cookie_headers);
    Reply query(const std::vector<std::string>& cookie_headers, std::string_view body);

    // The code of the last picture issued; empty before the first.
    std::string last_code() const;
    // The code a session expects; empty for an unknown session.
    std::string code_of(std::string_view session_id) const;

private:
    // The known session among the cookie's JSESSIONID values, or "".
    std::string known_session(const std::vector<std::string>& cookie_headers) const;

    mutable std::mutex mutex_;
    std::map<std::string, std::string, std::less<>> codes_;
    std::deque<std::string> session_order_;
    std::string last_code_;
};

} // namespace kesvane::standin
