// The cookie store every exchange of the process shares. A binary of its own,
// since the cookies it sets would show up in the other tests' requests.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "form_post.h"
#include "raw_http_server.h"
#include "web_request.h"

namespace kesvane {
namespace {

using testing::RawHttpServer;
using testing::RecordedRequest;
using testing::reply_text;
using testing::quick_control;
using testing::ScriptedReply;
using Strings = std::vector<std::string>;

TEST(CookieStore, CookieOfTheCaptchaDownloadGoesWithTheFormPostAndWebRequest) {
    RawHttpServer server([](const RecordedRequest& request) {
        if (request.request_line().starts_with("GET /image ")) {
            return ScriptedReply{reply_text("200 OK", std::string("GIF\0", 4),
                                            "Set-Cookie: JSESSIONID=c4ptch4; Path=/\r\n")};
        }
        return ScriptedReply{reply_text("200 OK", "ok")};
    });
    const std::string form_url = server.url("/queryMail.do");
    const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port());

    ASSERT_EQ(download_bytes(server.url("/image"), quick_control()).size(), 4u);
    EXPECT_EQ(post_form(form_url, form_url, "code=1", quick_control()), "ok");
    EXPECT_EQ(web_request(server.url("/api"), "", std::nullopt, "", "", nullptr, quick_control()),
              "ok");

    const std::vector<RecordedRequest> seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    const Strings post_lines{
        "POST /queryMail.do HTTP/1.1", host,
        "Cookie: JSESSIONID=c4ptch4",  "Content-Type: application/x-www-form-urlencoded",
        "Referer: " + form_url,        "Content-Length: 6"};
    EXPECT_EQ(seen[1].lines(), post_lines);
    const Strings get_lines = seen[2].lines();
    EXPECT_NE(std::find(get_lines.begin(), get_lines.end(), "Cookie: JSESSIONID=c4ptch4"),
              get_lines.end());
}

TEST(CookieStore, ParallelWorkersShareItSafely) {
    std::atomic<int> counter{0};
    RawHttpServer server([&](const RecordedRequest&) {
        const int n = ++counter;
        return ScriptedReply{
            reply_text("200 OK", "ok", "Set-Cookie: n" + std::to_string(n % 7) + "=v\r\n")};
    });
    std::atomic<int> answered{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w) {
        workers.emplace_back([&] {
            for (int i = 0; i < 10; ++i) {
                if (web_request(server.url("/w"), "", std::nullopt, "", "", nullptr,
                                quick_control()) == "ok") {
                    ++answered;
                }
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(answered, 40);
}

} // namespace
} // namespace kesvane
