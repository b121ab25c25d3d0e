#include "standin_fixture.h"

#include <functional>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

class ServerControl : public StandinTest {};

// A reply held back for a minute must not hold up stop(); the bound below
// only tells "interrupted" from "waited the minute out".
TEST_F(ServerControl, StopEndsLongWaitsAtOnce) {
    struct Case {
        const char* name;
        std::function<void(kesvane::StandinSites&)> slow_down;
        std::function<httplib::Result(httplib::Client&)> request;
        const char* path;
    };
    const std::vector<Case> cases = {
        {"API delay", [](auto& s) { s.set_api_delay(60000); },
         [](httplib::Client& c) {
             return c.Get("/api?id=7f1e4d0a8b6c3e2d&com=dhl&nu=1234567890"
                          "&show=2&muti=1&order=desc");
         },
         "/api"},
        {"slow number", [](auto&) {},
         [](httplib::Client& c) {
             return c.Get("/api?id=7f1e4d0a8b6c3e2d&com=dhl&nu=SLOW60&show=2&muti=1&order=desc");
         },
         "/api"},
        {"form delay", [](auto& s) { s.set_form_delay(60000); },
         [](httplib::Client& c) {
             return c.Post("/queryMail.do", "action=getBatchMailTrace&isin=1&mailCode=1&code=A",
                           "application/x-www-form-urlencoded");
         },
         "/queryMail.do"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!sites.running()) {
            ASSERT_TRUE(sites.start());
        }
        c.slow_down(sites);
        sites.clear_requests();
        auto client = this->client();
        auto pending = std::async(std::launch::async, [&] { return c.request(client); });
        ASSERT_TRUE(sites.wait_for_request(c.path, 5s));
        EXPECT_EQ(pending.wait_for(200ms), std::future_status::timeout);

        const auto start = std::chrono::steady_clock::now();
        sites.stop();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
        EXPECT_FALSE(sites.running());
        EXPECT_EQ(pending.wait_for(10s), std::future_status::ready);
        sites.set_api_delay(0);
        sites.set_form_delay(0);
    }
}

TEST_F(ServerControl, RestartsAndRefusesASecondStart) {
    EXPECT_FALSE(sites.start());
    const int port = sites.port();
    sites.stop();
    EXPECT_EQ(sites.port(), 0);
    EXPECT_FALSE(httplib::Client("127.0.0.1", port).Get("/"));
    ASSERT_TRUE(sites.start(port));
    EXPECT_EQ(sites.port(), port);
    EXPECT_EQ(get("/soft/updata.gif")->body, "1.2");

    kesvane::StandinSites other;
    EXPECT_FALSE(other.start(port)); // the port is taken
}

TEST_F(ServerControl, WaitForRequestFindsEarlierAndLaterOnes) {
    get("/");
    EXPECT_TRUE(sites.wait_for_request("/", 0ms));
    EXPECT_FALSE(sites.wait_for_request("/image", 50ms));
    auto later = std::async(std::launch::async, [this] {
        std::this_thread::sleep_for(100ms);
        get("/image");
    });
    const auto found = sites.wait_for_request("/image", 5s);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->method, "GET");
    later.get();
    sites.clear_requests();
    EXPECT_TRUE(sites.requests().empty());
}

} // namespace
