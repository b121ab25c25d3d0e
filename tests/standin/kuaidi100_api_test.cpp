#include "kuaidi100_api.h"
#include "standin_fixture.h"

#include <algorithm>

namespace {

const char kKey[] = "7f1e4d0a8b6c3e2d";

std::string api_target(const std::string& company, const std::string& number,
                       const std::string& key = kKey,
                       const std::string& rest = "&show=2&muti=1&order=desc") {
    return "/api?id=" + key + "&com=" + company + "&nu=" + number + rest;
}

class Kuaidi100Api : public StandinTest {};

// The company codes exactly as the program sends them, letter case included.
const std::vector<std::string> kProgramCodes = {"zhongtong",
                                                "tiantian",
                                                "yunda",
                                                "huitongkuaidi",
                                                "yuantong",
                                                "yafengsudi",
                                                "feikangda",
                                                "suer",
                                                "debangwuliu",
                                                "xinbangwuliu",
                                                "xinhongyukuaidi",
                                                "zhaijisong",
                                                "kuaijiesudi",
                                                "dhl",
                                                "TNT",
                                                "zhongyouwuliu",
                                                "zhongtiewuliu",
                                                "xingchengjibian",
                                                "FEDEX",
                                                "guangdongyouzhengwuliu"};

TEST_F(Kuaidi100Api, EveryCourierKnowsItsSampleNumbersNewestFirst) {
    ASSERT_EQ(kesvane::standin::api_couriers().size(), kProgramCodes.size());
    for (const auto& code : kProgramCodes) {
        SCOPED_TRACE(code);
        const auto delivered = get(api_target(code, "1234567890"));
        ASSERT_TRUE(delivered);
        EXPECT_NE(delivered->get_header_value("Content-Type").find("utf-8"), std::string::npos);
        const std::string& body = delivered->body;
        EXPECT_EQ(body.rfind("<table", 0), 0u);
        EXPECT_EQ(body.find("<html"), std::string::npos);
        EXPECT_NE(body.find("1234567890"), std::string::npos);
        const auto newest = body.find("2012-03-18 10:20:31");
        const auto oldest = body.find("2012-03-16 18:30:02");
        ASSERT_NE(newest, std::string::npos);
        ASSERT_NE(oldest, std::string::npos);
        EXPECT_LT(newest, oldest);
        EXPECT_NE(body.find("已签收"), std::string::npos);

        const auto& courier = *std::find_if(kesvane::standin::api_couriers().begin(),
                                            kesvane::standin::api_couriers().end(),
                                            [&](const auto& c) { return c.code == code; });
        const auto moving = get(api_target(code, in_transit_sample_number(courier)));
        EXPECT_NE(moving->body.find("<table"), std::string::npos);
        EXPECT_EQ(moving->body.find("已签收"), std::string::npos);
    }
}

TEST_F(Kuaidi100Api, OtherAnswersAreShortErrorTexts) {
    struct Case {
        std::string target;
        std::string message;
    };
    const std::vector<Case> cases = {
        {api_target("zhongtong", "999999"), "查询无结果"},
        {api_target("zhongtong", "ZTO2012031501X"), "查询无结果"},
        {api_target("zhongtong", "1234567890", "0000000000000000"), "授权码"},
        {api_target("nosuchcourier", "1234567890"), "暂不支持"},
        {api_target("zhongtong", ""), "不能为空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const auto res = get(c.target);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 200);
        EXPECT_NE(res->body.find(c.message), std::string::npos) << res->body;
        EXPECT_EQ(res->body.find("<table"), std::string::npos);
    }
}

TEST_F(Kuaidi100Api, OrderAndMutiShapeTheHistory) {
    const auto ascending = get(api_target("yunda", "1234567890", kKey, "&show=2&muti=1&order=asc"));
    EXPECT_GT(ascending->body.find("2012-03-18 10:20:31"),
              ascending->body.find("2012-03-16 18:30:02"));
    const auto latest = get(api_target("yunda", "1234567890", kKey, "&show=2&muti=0&order=desc"));
    EXPECT_NE(latest->body.find("2012-03-18 10:20:31"), std::string::npos);
    EXPECT_EQ(latest->body.find("2012-03-16 18:30:02"), std::string::npos);
}

TEST_F(Kuaidi100Api, SlowNumbersWaitTheGivenSeconds) {
    EXPECT_EQ(kesvane::standin::slow_seconds("SLOW5"), 5);
    EXPECT_EQ(kesvane::standin::slow_seconds("slow12x"), 12);
    EXPECT_EQ(kesvane::standin::slow_seconds("SLOW99999999999"), 600);
    EXPECT_EQ(kesvane::standin::slow_seconds("5SLOW"), std::nullopt);

    const auto start = std::chrono::steady_clock::now();
    const auto res = get(api_target("zhongtong", "SLOW1"));
    const auto waited = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(res);
    EXPECT_GE(waited, std::chrono::milliseconds(950));
    EXPECT_NE(res->body.find("SLOW1"), std::string::npos);
    EXPECT_NE(res->body.find("<table"), std::string::npos);
}

TEST_F(Kuaidi100Api, TheAcceptedKeyCanBeChanged) {
    sites.set_api_key("0123456789abcdef");
    EXPECT_NE(get(api_target("zhongtong", "1234567890"))->body.find("授权码"), std::string::npos);
    EXPECT_NE(get(api_target("zhongtong", "1234567890", "0123456789abcdef"))->body.find("<table"),
              std::string::npos);
}

} // namespace
