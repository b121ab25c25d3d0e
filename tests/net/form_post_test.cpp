// post_form and download_bytes against a raw server on 127.0.0.1.

#include <gtest/gtest.h>

#include <chrono>

#include "form_post.h"
#include "raw_http_server.h"

namespace kesvane {
namespace {

using testing::RawHttpServer;
using testing::RecordedRequest;
using testing::reply_text;
using testing::quick_control;
using testing::ScriptedReply;
using Strings = std::vector<std::string>;

std::string host_line(const RawHttpServer& server) {
    return "Host: 127.0.0.1:" + std::to_string(server.port());
}

TEST(PostForm, SendsExactlyTheThreeHeaderLinesAndTheBody) {
    for (const std::string& body :
         {std::string("action=getBatchMailTrace&isin=1&mailCode=AB1&code=x=y"), std::string()}) {
        RawHttpServer server(
            [](const RecordedRequest&) { return ScriptedReply{reply_text("200 OK", "reply")}; });
        const std::string url = server.url("/queryMail.do");

        EXPECT_EQ(post_form(url, url, body, quick_control()), "reply");

        const std::vector<RecordedRequest> seen = server.requests();
        ASSERT_EQ(seen.size(), 1u);
        const Strings expected{"POST /queryMail.do HTTP/1.1", host_line(server),
                               "Content-Type: application/x-www-form-urlencoded", "Referer: " + url,
                               "Content-Length: " + std::to_string(body.size())};
        EXPECT_EQ(seen[0].lines(), expected);
        EXPECT_EQ(seen[0].body, body);
    }
}

TEST(PostForm, ReturnsTheRawReplyUpToTheFirstZeroByte) {
    // UTF-8 bytes come back unconverted; an error status changes nothing.
    RawHttpServer server([](const RecordedRequest&) {
        return ScriptedReply{reply_text("500 Internal Server Error",
                                        std::string("\xE6\x9F\xA5\xE8\xAF\xA2\0tail", 11))};
    });
    EXPECT_EQ(post_form(server.url("/q"), "", "a=1", quick_control()), "\xE6\x9F\xA5\xE8\xAF\xA2");
}

TEST(PostForm, SendsAnEmptyRefererLine) {
    RawHttpServer server(
        [](const RecordedRequest&) { return ScriptedReply{reply_text("200 OK", "r")}; });
    post_form(server.url("/q"), "", "a=1", quick_control());
    const Strings lines = server.requests().at(0).lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "Referer:");
}

TEST(PostForm, BrokenOffReplyGivesTheEmptyText) {
    RawHttpServer server([](const RecordedRequest&) {
        return ScriptedReply{"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nonly part", true};
    });
    RequestControl control = quick_control();
    control.stall_timeout = std::chrono::milliseconds(300);
    EXPECT_EQ(post_form(server.url("/q"), "", "a=1", control), "");
}

TEST(DownloadBytes, ReturnsEveryByteOfThePlainGet) {
    const std::string image("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\x01", 18);
    RawHttpServer server(
        [&](const RecordedRequest&) { return ScriptedReply{reply_text("200 OK", image)}; });

    EXPECT_EQ(download_bytes(server.url("/image"), quick_control()), image);

    const Strings expected{"GET /image HTTP/1.1", host_line(server)};
    EXPECT_EQ(server.requests().at(0).lines(), expected);
}

TEST(FormPostAndDownload, UnreachableHostGivesTheEmptyText) {
    int closed_port = 0;
    {
        RawHttpServer gone([](const RecordedRequest&) { return ScriptedReply{}; });
        closed_port = gone.port();
    }
    const std::string url = "http://127.0.0.1:" + std::to_string(closed_port) + "/queryMail.do";
    EXPECT_EQ(post_form(url, url, "a=1", quick_control()), "");
    EXPECT_EQ(download_bytes(url, quick_control()), "");
}

} // namespace
} // namespace kesvane
