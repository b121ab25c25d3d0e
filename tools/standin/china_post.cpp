#include "china_post.h"

#include "captcha.h"
#include "html_text.h"
#include "sample_history.h"

namespace kesvane::standin {

namespace {

// Old sessions are dropped so that a long demo cannot grow the table forever.
constexpr std::size_t kMostSessions = 1000;

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string form_decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 &&
                   hex_value(text[i + 2]) >= 0) {
            out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string_view trim_spaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

const char kPageHead[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html>\r\n<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    "<title>中国邮政 - 邮件跟踪查询</title>\r\n"
    "<script type=\"text/javascript\">\r\n"
    "function hideshow(id, n) { var e = document.getElementById(id);"
    " if (e) e.style.display = (e.style.display == 'none') ? '' : 'none'; }\r\n"
    "</script>\r\n</head>\r\n<body>\r\n";

std::string result_rows(std::string_view number) {
    std::vector<TrackEvent> history;
    if (number == kChinaPostDeliveredNumber) {
        history = delivered_history("中国邮政");
    } else if (number == kChinaPostInTransitNumber) {
        history = in_transit_history("中国邮政");
    }
    if (history.empty()) {
        return "<tr><td colspan=\"2\">未查询到此邮件的信息，请核对邮件号码后再试。</td></tr>\r\n";
    }
    std::string rows;
    for (const auto& event : history) {
        rows += "<tr><td width=\"150\">" + event.time + "</td><td>" + event.text + "</td></tr>\r\n";
    }
    return rows;
}

// The page the site answers a query with. The program cuts the result out
// between the fixed text that closes the summary table and opens the first
// result block, and the fixed text that closes the form and the page.
std::string result_page(std::string_view number) {
    const std::string shown = html_escape(number);
    return std::string(kPageHead) +
           "<form name=\"mailForm\" method=\"post\" action=\"queryMail.do\">\r\n"
           "<table width=\"100%\" border=\"0\" class=\"summary\">\r\n"
           "<tr><td>共查询 1 件邮件，邮件号码：" +
           shown + "</td></tr>\r\n" +
           "</table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
           "onClick=\"javascript:hideshow('a1Child1','1')\" style=\"cursor:hand\">" +
           "\r\n<b>邮件号码：" + shown +
           "</b>\r\n"
           "<table id=\"a1Child1\" width=\"100%\" border=\"1\" cellspacing=\"0\">\r\n"
           "<tr><th>处理时间</th><th>处理地点及邮件状态</th></tr>\r\n" +
           result_rows(number) + "</table>\r\n" +
           " </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>";
}

std::string rejection_page(std::string_view message) {
    return std::string(kPageHead) + "<p style=\"color:red\">" + std::string(message) +
           "</p>\r\n<p><a "
           "href=\"javascript:history.back()\">返回</a></p>\r\n</body>\r\n</html>\r\n";
}

} // namespace

std::map<std::string, std::string> parse_form_body(std::string_view body) {
    std::map<std::string, std::string> fields;
    while (!body.empty()) {
        const std::size_t amp = body.find('&');
        const std::string_view field = body.substr(0, amp);
        const std::size_t eq = field.find('=');
        const std::string key = form_decode(field.substr(0, eq));
        const std::string value =
            eq == std::string_view::npos ? std::string() : form_decode(field.substr(eq + 1));
        fields.try_emplace(key, value);
        if (amp == std::string_view::npos) {
            break;
        }
        body.remove_prefix(amp + 1);
    }
    return fields;
}

std::vector<std::string> cookie_values(const std::vector<std::string>& cookie_headers,
                                       std::string_view name) {
    std::vector<std::string> values;
    for (const auto& header : cookie_headers) {
        std::string_view rest = header;
        while (!rest.empty()) {
            const std::size_t semicolon = rest.find(';');
            const std::string_view pair = trim_spaces(rest.substr(0, semicolon));
            const std::size_t eq = pair.find('=');
            if (eq != std::string_view::npos && trim_spaces(pair.substr(0, eq)) == name) {
                values.emplace_back(trim_spaces(pair.substr(eq + 1)));
            }
            if (semicolon == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(semicolon + 1);
        }
    }
    return values;
}

std::string ChinaPostSite::known_session(const std::vector<std::string>& cookie_headers) const {
    for (const auto& id : cookie_values(cookie_headers, "JSESSIONID")) {
        if (codes_.count(id) != 0) {
            return id;
        }
    }
    return {};
}

Reply ChinaPostSite::captcha_image(const std::vector<std::string>& cookie_headers) {
    const std::string code = random_captcha_code();
    Reply reply{200, "image/png", captcha_png(code, china_post_captcha_style()), {}};
    reply.headers.emplace_back("Cache-Control", "no-cache, no-store");
    reply.headers.emplace_back("Pragma", "no-cache");

    std::lock_guard lock(mutex_);
    std::string session = known_session(cookie_headers);
    if (session.empty()) {
        session = random_session_id();
        session_order_.push_back(session);
        if (session_order_.size() > kMostSessions) {
            codes_.erase(session_order_.front());
            session_order_.pop_front();
        }
        reply.headers.emplace_back("Set-Cookie", "JSESSIONID=" + session + "; Path=/");
    }
    codes_[session] = code;
    last_code_ = code;
    return reply;
}

Reply ChinaPostSite::query(const std::vector<std::string>& cookie_headers, std::string_view body) {
    const auto fields = parse_form_body(body);
    auto field = [&fields](const char* name) {
        const auto it = fields.find(name);
        return it == fields.end() ? std::string() : it->second;
    };

    std::string expected;
    {
        std::lock_guard lock(mutex_);
        const std::string session = known_session(cookie_headers);
        if (!session.empty()) {
            expected = codes_[session];
        }
    }

    std::string page;
    if (expected.empty()) {
        page = rejection_page("验证码已过期，请刷新验证码后重新查询！");
    } else if (!equal_ignoring_ascii_case(field("code"), expected)) {
        page = rejection_page("验证码错误，请重新输入！");
    } else if (field("action") != "getBatchMailTrace") {
        page = rejection_page("非法的查询请求。");
    } else if (field("mailCode").empty()) {
        page = rejection_page("请输入邮件号码！");
    } else {
        page = result_page(field("mailCode"));
    }
    return {200, kUtf8Html, std::move(page), {}};
}

std::string ChinaPostSite::last_code() const {
    std::lock_guard lock(mutex_);
    return last_code_;
}

std::string ChinaPostSite::code_of(std::string_view session_id) const {
    std::lock_guard lock(mutex_);
    const auto it = codes_.find(session_id);
    return it == codes_.end() ? std::string() : it->second;
}

} // namespace kesvane::standin
