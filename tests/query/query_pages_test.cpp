// The China Post form and page, and the reading of the version file.
#include "china_post_page.h"
#include "config.h"
#include "gbk_codec.h"
#include "version_reply.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kesvane {
namespace {

class QueryPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("KESVANE_PUBLISHER_SITE_URL", "http://publisher.test", 1);
        ::setenv("KESVANE_CHINA_POST_SITE_URL", "http://post.test", 1);
        ::setenv("KESVANE_EMS_SITE_URL", "http://ems.test", 1);
        reload_config();
    }
};

TEST_F(QueryPagesTest, AddressesAndFormBody) {
    EXPECT_EQ(china_post_query_address(), "http://post.test/queryMail.do");
    EXPECT_EQ(china_post_captcha_address(), "http://post.test/image");
    EXPECT_EQ(ems_captcha_address(), "http://ems.test/servlet/ImageCaptchaServlet");
    EXPECT_EQ(china_post_form_body("EA1", "K7Q2"),
              "action=getBatchMailTrace&isin=1&mailCode=EA1&code=K7Q2");
    // Typed as it is: an "&" in the number makes a field of its own.
    EXPECT_EQ(china_post_form_body("A&b=1", ""),
              "action=getBatchMailTrace&isin=1&mailCode=A&b=1&code=");
}

TEST_F(QueryPagesTest, ReportPageIsHeaderPieceFooter) {
    const std::string header =
        "<html>\r\n<head>\r\n<title>Dorvanu-Kesvane</title>\r\n<meta http-equiv=\"Content-Type\" "
        "content=\"text/html; charset=gb2312\">\r\n</head>\r\n\r\n<body bgcolor=\"#FFFFFF\" "
        "text=\"#000000\">\r\n<style type=\"text/css\">\r\n<!--\r\nbody,td,th {\r\n\tfont-size: "
        "12px;\r\n}\r\nbody {\r\n\tbackground-color: #FFFFFF;\r\n}\r\n</style>";
    const std::string footer =
        "\r\n<a href=\"http://publisher.test/\" target=\"_blank\"><font color=\"#0066FF\" "
        "size=\"2\">\xB2\xE9\xD1\xAF\xBD\xE1\xB9\xFB\xD3\xC9\xA1\xB6Kesvane\xA1\xB7\xC9\xFA\xB3"
        "\xC9\xA3\xA1\xB8\xD0\xD0\xBB\xCA\xB9\xD3\xC3\xA3\xA1</font>\r\n</body>\r\n</html>";
    EXPECT_EQ(china_post_report_page(""), header + footer);
    EXPECT_EQ(china_post_report_page(gbk("<b>邮件</b>")), header + gbk("<b>邮件</b>") + footer);
}

TEST_F(QueryPagesTest, Markers) {
    EXPECT_EQ(china_post_start_marker(),
              "</table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
              "onClick=\"javascript:hideshow('a1Child1','1')\" style=\"cursor:hand\">");
    EXPECT_EQ(china_post_end_marker(), " </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>");
}

TEST(VersionReplyTest, Verdicts) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";
    struct Case {
        std::string headers;
        std::string body;
        VersionVerdict verdict;
    };
    const Case cases[] = {
        {ok, "1.2", VersionVerdict::up_to_date},
        {ok, "1.3", VersionVerdict::newer},
        {ok, "1.2000000001", VersionVerdict::up_to_date},
        {ok, "1.2000002", VersionVerdict::newer},
        {ok, "1.10", VersionVerdict::up_to_date},
        {ok, "1.1", VersionVerdict::up_to_date},
        {ok, "2", VersionVerdict::newer},
        {ok, " 1.3\r\n", VersionVerdict::newer},
        {ok, "\t1.3 \n", VersionVerdict::newer},
        {ok, "404 Not Found", VersionVerdict::unknown},
        {ok, "1.3.1", VersionVerdict::unknown},
        {ok, "-5", VersionVerdict::unknown},
        {ok, "", VersionVerdict::unknown},
        {ok, ".", VersionVerdict::unknown},
        {"HTTP/1.1 404 Not Found\r\n\r\n", "1.3", VersionVerdict::unknown},
        {"HTTP/1.1 500 Internal Server Error\r\n\r\n", "1.3", VersionVerdict::unknown},
        {"", "", VersionVerdict::unknown},
        {"HTTP/1.1 204 No Content\r\n\r\n", "1.3", VersionVerdict::newer},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(judge_version_reply(c.headers, c.body, "1.2"), c.verdict)
            << "headers " << c.headers << " body [" << c.body << "]";
    }
}

} // namespace
} // namespace kesvane
