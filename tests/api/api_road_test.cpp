// The API road end to end: the real pane, the worker, the stand-in API.
#include "config.h"
#include "gbk_codec.h"
#include "main_window.h"
#include "message_recorder.h"
#include "report_page.h"
#include "standin_sites.h"
#include "temp_run_dir.h"
#include "wait.h"
#include "web_engine_pane.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "browser_helpers.h"

#include <filesystem>

namespace kesvane::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> staged_pages(const std::filesystem::path& folder) {
    std::vector<std::string> staged;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("temp.htm.part", 0) == 0) {
            staged.push_back(entry.path().string());
        }
    }
    return staged;
}

class ApiRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(start_standin_sites(sites));
        run_dir = std::make_unique<TempRunDir>();
        window = new MainWindow(std::make_unique<WebEnginePane>());
        pane = static_cast<WebEnginePane*>(&window->pane());
        window->show();
        ASSERT_TRUE(wait_for_query_button());
        // 中通 ticked and current; automatic saving does not matter here.
        auto* couriers = main_control<QListWidget>("选择列表框1");
        couriers->item(0)->setCheckState(Qt::Checked);
        couriers->setCurrentRow(0);
    }

    void TearDown() override {
        delete window;
        run_dir.reset();
        sites.stop();
    }

    QPushButton* query_button() const { return main_control<QPushButton>("快递查询"); }

    bool wait_for_query_button(int timeout_ms = 15000) {
        return wait_until([&] { return query_button()->isEnabled(); }, timeout_ms);
    }

    void query(const char* number) {
        main_control<QLineEdit>("单号")->setText(QString::fromUtf8(number));
        QTest::mouseClick(query_button(), Qt::LeftButton);
    }

    std::string report_bytes() const { return read_file(run_dir->report_file()); }

    StandinSites sites;
    std::unique_ptr<TempRunDir> run_dir;
    MessageRecorder messages;
    MainWindow* window = nullptr;
    WebEnginePane* pane = nullptr;
};

TEST_F(ApiRoadTest, ZhongtongQueryShowsTheHistoryWithTheFooter) {
    sites.clear_requests();
    query("1234567890");
    ASSERT_FALSE(query_button()->isEnabled());
    ASSERT_TRUE(wait_for_query_button());

    const auto request = sites.wait_for_request("/api", 5s);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->target, "/api?id=" + config().kuaidi100_api_key +
                                   "&com=zhongtong&nu=1234567890&show=2&muti=1&order=desc");
    EXPECT_EQ(request->header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(request->header("Accept"),
              "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
              "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*");
    EXPECT_EQ(request->header("Referer"), sites.base_url() + request->target);
    EXPECT_EQ(request->header("Accept-Language"), "zh-cn");

    const std::string page = report_bytes();
    EXPECT_NE(page.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    const std::string footer = api_report_footer();
    ASSERT_GE(page.size(), footer.size());
    EXPECT_EQ(page.substr(page.size() - footer.size()), footer);
    EXPECT_NE(page.find(gbk("已签收")), std::string::npos) << "the reply is GBK now";

    const QString text = page_text(*pane);
    EXPECT_TRUE(text.contains(QString::fromUtf8("已签收"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Powered by Kesvane")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Powered by 快递100")) ||
                text.contains(QString::fromUtf8("Powered  by 快递100")));
}

TEST_F(ApiRoadTest, UnreachableApiGivesTheFooterOnlyPage) {
    StandinSites closed;
    closed.start();
    const std::string dead = closed.base_url();
    closed.stop();
    ::setenv("KESVANE_KUAIDI100_API_URL", dead.c_str(), 1);
    reload_config();
    query("1234567890");
    ASSERT_TRUE(wait_for_query_button());
    EXPECT_EQ(report_bytes(), api_report_footer());
    EXPECT_TRUE(page_text(*pane).contains(QStringLiteral("Powered by Kesvane")));
}

TEST_F(ApiRoadTest, StopDuringASlowRequestShowsNothingNew) {
    write_file(run_dir->report_file(), "earlier page");
    const QUrl shown_before = pane->view()->url();
    sites.set_api_delay(5000);
    query("1234567890");
    ASSERT_TRUE(sites.wait_for_request("/api", 5s).has_value());
    ASSERT_FALSE(query_button()->isEnabled());

    QTest::mouseClick(main_control<QPushButton>("停止按钮"), Qt::LeftButton);
    EXPECT_TRUE(query_button()->isEnabled()) << "Stop gives Query back at once";

    // Give a worker that was not really ended time to write and show.
    QTest::qWait(1500);
    EXPECT_EQ(report_bytes(), "earlier page");
    EXPECT_EQ(pane->view()->url(), shown_before);
    EXPECT_TRUE(staged_pages(run_dir->path() / "temp").empty());
}

TEST_F(ApiRoadTest, StopWithoutAWorkerIsHarmless) {
    auto* stop = main_control<QPushButton>("停止按钮");
    QTest::mouseClick(stop, Qt::LeftButton);
    query("1234567890");
    ASSERT_TRUE(wait_for_query_button());
    QTest::mouseClick(stop, Qt::LeftButton);
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(query_button()->isEnabled());
    EXPECT_NE(report_bytes().find(gbk("已签收")), std::string::npos);
}

TEST_F(ApiRoadTest, TwoQueriesInARowReplaceThePage) {
    query("1234567890");
    ASSERT_TRUE(wait_for_query_button());
    const std::string first = report_bytes();
    query("ZTO2012031501");
    ASSERT_TRUE(wait_for_query_button());
    ASSERT_TRUE(wait_until([&] { return report_bytes() != first; }));
    const std::string second = report_bytes();
    EXPECT_EQ(second.find(gbk("已签收")), std::string::npos);
    EXPECT_EQ(second.substr(second.size() - api_report_footer().size()), api_report_footer());
}

TEST_F(ApiRoadTest, NewQueryEndsTheRunningWorker) {
    // The menu item reaches run_query while the button is disabled.
    sites.set_api_delay(3000);
    query("1234567890");
    ASSERT_TRUE(sites.wait_for_request("/api", 5s).has_value());
    sites.set_api_delay(0);
    sites.clear_requests();
    main_control<QLineEdit>("单号")->setText(QStringLiteral("ZTO2012031501"));
    window->menu_item("查询(&C)")->trigger();
    ASSERT_TRUE(wait_until([&] {
        return report_bytes().find("ZTO2012031501") != std::string::npos ||
               report_bytes().find(gbk("运输")) != std::string::npos;
    }));
    const std::string page = report_bytes();
    QTest::qWait(3500); // the first worker's reply would have come by now
    EXPECT_EQ(report_bytes(), page) << "the ended worker wrote nothing";
}

TEST_F(ApiRoadTest, ClosingTheWindowDuringARequestRemovesThePage) {
    write_file(run_dir->report_file(), "earlier page");
    sites.set_api_delay(10000);
    query("1234567890");
    ASSERT_TRUE(sites.wait_for_request("/api", 5s).has_value());
    QElapsedTimer timer;
    timer.start();
    window->close();
    EXPECT_LT(timer.elapsed(), 5000) << "the worker is ended, not waited for";
    EXPECT_FALSE(std::filesystem::exists(run_dir->report_file()));
    EXPECT_TRUE(staged_pages(run_dir->path() / "temp").empty());
}

} // namespace
} // namespace kesvane::testing
