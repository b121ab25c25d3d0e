#include "gbk_codec.h"
#include "raw_http.h"
#include "standin_fixture.h"

#include <cstdlib>

namespace {

using kesvane::gbk;

struct PageCase {
    const char* target;
    int status;
    const char* charset; // expected in the Content-Type header
    bool gbk_body;
    std::vector<std::string> snippets; // UTF-8; turned into GBK for GBK pages
};

class SitePages : public StandinTest {};

TEST_F(SitePages, EveryPageAnswersInItsCharsetAndIsLogged) {
    const std::vector<PageCase> cases = {
        {"/", 200, "gb2312", true, {"Kesvane", "主页"}},
        {"/soft/welcome.html", 200, "gb2312", true, {"欢迎使用", "charset=gb2312"}},
        {"/result.aspx?wen=368123456789",
         200,
         "gb2312",
         true,
         {"<meta charset=gb2312>", "申通快递", "368123456789", "已签收"}},
        {"/result.aspx?wen=<b>x</b>", 200, "gb2312", true, {"&lt;b&gt;x&lt;/b&gt;"}},
        {"/wap_result.jsp?rand=36739&id=shunfeng&fromWeb=null"
         "&sessionid=D4A7E09B35F2C6185A0E7B3D9F24C6A1&postid=SF1000&sub=%E6%9F%A5%E8%AF%A2",
         200,
         "utf-8",
         false,
         {"charset=\"utf-8\"", "顺丰速运", "SF1000", "已签收"}},
        {"/all/ems.shtml", 200, "utf-8", false, {"EMS", "查询"}},
        {"/login/login.htm?redirect_url=http%3A%2F%2Fm.example%2Ftrade%2Fbought_item_lists.htm"
         "%3Fsprefer%3Dkesvane%26sid%3D3c8e1f5a9d0b6e47%26status_id%3D5",
         200,
         "utf-8",
         false,
         {"手机淘宝", "http://m.example/trade/bought_item_lists.htm?sprefer=kesvane&amp;"
                      "sid=3c8e1f5a9d0b6e47&amp;status_id=5"}},
        {"/no/such/page.htm", 404, "", false, {"Not Found"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        sites.clear_requests();
        const auto res = get(c.target);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, c.status);
        EXPECT_NE(res->get_header_value("Content-Type").find(c.charset), std::string::npos);
        for (const auto& snippet : c.snippets) {
            const std::string wanted = c.gbk_body ? gbk(snippet) : snippet;
            EXPECT_NE(res->body.find(wanted), std::string::npos) << snippet;
        }
        const auto logged = sites.requests();
        ASSERT_EQ(logged.size(), 1u);
        EXPECT_EQ(logged[0].method, "GET");
        EXPECT_EQ(logged[0].target, c.target);
    }
}

TEST_F(SitePages, VersionFileCarriesTheReplyThatWasSet) {
    EXPECT_EQ(get("/soft/updata.gif")->body, "1.2");
    for (const std::string reply : {"1.3", " 1.3\r\n", "404 Not Found", ""}) {
        sites.set_version_reply(reply);
        EXPECT_EQ(get("/soft/updata.gif")->body, reply);
    }
}

TEST_F(SitePages, LogKeepsTheRequestLineHeadersAndBodyAsReceived) {
    // Bytes a library would encode must reach the log unchanged.
    const std::string target = "/api?id=k&com=zhongtong&nu=A<1>|\"{}^\xB2\xE9&show=2";
    const std::string answer =
        raw_exchange(sites.port(), "GET " + target +
                                       " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept-Language: zh-cn\r\n"
                                       "Referer: http://x/\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(answer.rfind("HTTP/1.1 200", 0), 0u) << answer;

    post("/queryMail.do", "action=getBatchMailTrace&isin=1&mailCode=1&code=AB",
         {{"Referer", "http://r/queryMail.do"}});

    const auto logged = sites.requests();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].target, target);
    EXPECT_EQ(logged[0].path(), "/api");
    EXPECT_EQ(logged[0].header("accept-language"), "zh-cn");
    EXPECT_EQ(logged[0].header("Referer"), "http://x/");
    for (const auto& line : logged[0].header_lines) {
        EXPECT_EQ(line.find("REMOTE_"), std::string::npos) << line;
    }
    EXPECT_EQ(logged[1].method, "POST");
    EXPECT_EQ(logged[1].body, "action=getBatchMailTrace&isin=1&mailCode=1&code=AB");
    EXPECT_EQ(logged[1].header("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(SitePages, EnvironmentPointsEverySiteHere) {
    const auto environment = sites.environment();
    const std::vector<std::string> names = {
        "KESVANE_PUBLISHER_SITE_URL", "KESVANE_KUAIDI100_API_URL", "KESVANE_KUAIDI100_SITE_URL",
        "KESVANE_KUAIDI100_WAP_URL",  "KESVANE_STO_QUERY_URL",     "KESVANE_CHINA_POST_SITE_URL",
        "KESVANE_EMS_SITE_URL",       "KESVANE_TAOBAO_WAP_URL"};
    ASSERT_EQ(environment.size(), names.size());
    const std::string base = "http://127.0.0.1:" + std::to_string(sites.port());
    EXPECT_EQ(sites.base_url(), base);
    sites.export_environment();
    for (const auto& name : names) {
        EXPECT_EQ(environment.at(name), base);
        EXPECT_STREQ(std::getenv(name.c_str()), base.c_str());
    }
}

} // namespace
