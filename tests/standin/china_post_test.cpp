#include "china_post.h"
#include "standin_fixture.h"

#include <cctype>

namespace {

const std::string kStartMarker = "</table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
                                 "onClick=\"javascript:hideshow('a1Child1','1')\" "
                                 "style=\"cursor:hand\">";
const std::string kEndMarker = " </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>";

std::string form(const std::string& number, const std::string& code) {
    return "action=getBatchMailTrace&isin=1&mailCode=" + number + "&code=" + code;
}

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class ChinaPost : public StandinTest {
protected:
    // Fetches a captcha and returns the "JSESSIONID=..." cookie it set.
    std::string new_session() {
        const auto res = get("/image");
        EXPECT_TRUE(res);
        const std::string set_cookie = res->get_header_value("Set-Cookie");
        EXPECT_EQ(set_cookie.rfind("JSESSIONID=", 0), 0u) << set_cookie;
        return set_cookie.substr(0, set_cookie.find(';'));
    }
};

TEST_F(ChinaPost, RightCodeGivesTheResultBetweenTheExactMarkers) {
    const std::string cookie = new_session();
    const std::string code = sites.last_captcha_code();
    ASSERT_EQ(code.size(), 4u);
    EXPECT_EQ(sites.captcha_code_of_session(cookie.substr(11)), code);

    // Letter case of the typed code does not matter.
    std::string typed = code;
    for (char& c : typed) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const auto res = post("/queryMail.do", form("1234567890", typed), {{"Cookie", cookie}});
    ASSERT_TRUE(res);
    EXPECT_NE(res->get_header_value("Content-Type").find("utf-8"), std::string::npos);
    const std::string& page = res->body;
    ASSERT_EQ(count_of(page, kStartMarker), 1u);
    ASSERT_EQ(count_of(page, kEndMarker), 1u);
    const auto start = page.find(kStartMarker) + kStartMarker.size();
    const auto end = page.find(kEndMarker);
    ASSERT_LT(start, end);
    EXPECT_EQ(end + kEndMarker.size(), page.size());
    const std::string piece = page.substr(start, end - start);
    EXPECT_NE(piece.find("1234567890"), std::string::npos);
    EXPECT_NE(piece.find("已签收"), std::string::npos);

    // The code stays valid until the next picture.
    const auto unknown = post("/queryMail.do", form("XX000", code), {{"Cookie", cookie}});
    EXPECT_NE(unknown->body.find(kStartMarker), std::string::npos);
    EXPECT_NE(unknown->body.find("未查询到"), std::string::npos);
}

TEST_F(ChinaPost, WrongCodeOrMissingSessionIsRejectedWithoutMarkers) {
    const std::string cookie = new_session();
    const std::string first_code = sites.last_captcha_code();
    // A second picture for the same session keeps the session, renews the code.
    const auto again = get("/image", {{"Cookie", "lang=zh; " + cookie}});
    EXPECT_FALSE(again->has_header("Set-Cookie"));
    const std::string code = sites.last_captcha_code();
    EXPECT_EQ(sites.captcha_code_of_session(cookie.substr(11)), code);

    struct Case {
        const char* name;
        std::string body;
        httplib::Headers headers;
        const char* message;
    };
    const std::string wrong = code == "AAAA" ? "BBBB" : "AAAA";
    std::vector<Case> cases = {
        {"wrong code", form("1234567890", wrong), {{"Cookie", cookie}}, "验证码错误"},
        {"empty code", form("1234567890", ""), {{"Cookie", cookie}}, "验证码错误"},
        {"no cookie", form("1234567890", code), {}, "验证码已过期"},
        {"unknown session",
         form("1234567890", code),
         {{"Cookie", "JSESSIONID=0123"}},
         "验证码已过期"},
        {"empty number", form("", code), {{"Cookie", cookie}}, "请输入邮件号码"},
    };
    if (first_code != code) {
        cases.push_back(
            {"replaced code", form("1234567890", first_code), {{"Cookie", cookie}}, "验证码错误"});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto res = post("/queryMail.do", c.body, c.headers);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_NE(res->body.find(c.message), std::string::npos);
        EXPECT_EQ(res->body.find("a1Parent1"), std::string::npos);
        EXPECT_EQ(res->body.find(kEndMarker), std::string::npos);
    }
}

TEST_F(ChinaPost, EmsCaptchaSetsNoCookie) {
    const auto res = get("/servlet/ImageCaptchaServlet");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->get_header_value("Content-Type"), "image/png");
    EXPECT_FALSE(res->has_header("Set-Cookie"));
    EXPECT_EQ(sites.last_ems_captcha_code().size(), 4u);
    EXPECT_EQ(sites.last_captcha_code(), "");
}

TEST(ChinaPostForm, BodyAndCookiesAreSplitAsAServletWould) {
    using kesvane::standin::cookie_values;
    using kesvane::standin::parse_form_body;
    const auto fields = parse_form_body("action=a&mailCode=A%26B+C&code=x=y&flag&mailCode=2");
    EXPECT_EQ(fields.at("action"), "a");
    EXPECT_EQ(fields.at("mailCode"), "A&B C"); // the first of two wins
    EXPECT_EQ(fields.at("code"), "x=y");
    EXPECT_EQ(fields.at("flag"), "");
    EXPECT_EQ(parse_form_body("mailCode=50%").at("mailCode"), "50%");

    EXPECT_EQ(cookie_values({"a=1; JSESSIONID=X1 ;b=2", "JSESSIONID=Y2"}, "JSESSIONID"),
              (std::vector<std::string>{"X1", "Y2"}));
    EXPECT_TRUE(cookie_values({"XJSESSIONID=1"}, "JSESSIONID").empty());
}

} // namespace
