// The update check against the stand-in publisher site, and the home page.
#include "api_road.h"
#include "config.h"
#include "main_window_fixture.h"
#include "standin_sites.h"
#include "update_check.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "browser_helpers.h"

namespace kesvane::testing {

// Takes the place of the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

namespace {

class UpdateCheckTest : public MainWindowFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start_standin_sites(sites));
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        MainWindowFixture::SetUp();
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        sites.stop();
    }

    void point_publisher_at(int port) {
        ::setenv("KESVANE_PUBLISHER_SITE_URL", ("http://127.0.0.1:" + std::to_string(port)).c_str(),
                 1);
        reload_config();
    }

    static QMessageBox* open_box() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    }

    StandinSites sites;
    UrlCatcher catcher;
};

TEST_F(UpdateCheckTest, RepliesAndTheirOutcomes) {
    const char* const newer = "发现更新，是否访问主页进行下载？";
    const char* const latest = "本软件已是最新版本，不需要更新！";
    const char* const failed = "检查更新失败，请稍后再试！";
    struct Case {
        const char* reply; // nullptr: nothing listens at the site
        const char* text;
        const char* title;
        int flags;
    };
    const Case cases[] = {
        {"1.2", latest, "无更新", 64},          {"1.3", newer, "检查更新", 65},
        {"1.2000000001", latest, "无更新", 64}, {"1.10", latest, "无更新", 64},
        {" 1.3\r\n", newer, "检查更新", 65},    {"404 Not Found", failed, "检查更新", 48},
        {nullptr, failed, "检查更新", 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply == nullptr ? "no network" : c.reply);
        if (c.reply == nullptr) {
            point_publisher_at(closed_port());
        } else {
            sites.set_version_reply(c.reply);
        }
        messages->messages.clear();
        messages->answer_next(false);
        start_update_check();
        ASSERT_TRUE(wait_until([&] { return !messages->messages.empty(); }));
        EXPECT_EQ(messages->messages[0].text, c.text);
        EXPECT_EQ(messages->messages[0].title, c.title);
        EXPECT_EQ(messages->messages[0].flags, c.flags);
    }
    QTest::qWait(100);
    EXPECT_EQ(messages->messages.size(), 1u);
    EXPECT_TRUE(catcher.opened.empty()); // Cancel opens nothing
}

TEST_F(UpdateCheckTest, OkOnTheUpdateBoxOpensTheHomePage) {
    sites.set_version_reply("1.3");
    messages->answer_next(true);
    start_update_check();
    ASSERT_TRUE(wait_until([&] { return !catcher.opened.empty(); }));
    EXPECT_EQ(catcher.opened[0], QUrl(QString::fromStdString(config().publisher_site_url)));
    ASSERT_TRUE(
        sites.wait_for_request("/soft/updata.gif", std::chrono::milliseconds(0)).has_value());
}

TEST_F(UpdateCheckTest, HomePageMenuItemOpensTheHomePage) {
    window->menu_item("访问主页(&V)")->trigger();
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0].toString(), QString::fromStdString(sites.base_url()));
}

TEST_F(UpdateCheckTest, StopBeforeTheAnswerShowsNoBox) {
    // A site that takes the request and never answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    point_publisher_at(silent.serverPort());
    window->menu_item("检查更新(&U)")->trigger();
    ASSERT_TRUE(silent.waitForNewConnection(5000));
    QTcpSocket* connection = silent.nextPendingConnection();
    stop_query();
    // The answer that comes after Stop is not looked at.
    connection->write("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n1.3");
    connection->flush();
    QTest::qWait(500);
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(UpdateCheckTest, RealBoxLeavesTheMainWindowWorking) {
    messages.reset(); // real boxes from here on
    sites.set_version_reply("1.3");
    number_box()->clear();
    number_box()->setFocus();
    start_update_check();
    ASSERT_TRUE(wait_until([&] { return open_box() != nullptr; }));
    QMessageBox* box = open_box();
    EXPECT_EQ(box->text(), QString::fromUtf8("发现更新，是否访问主页进行下载？"));
    EXPECT_EQ(box->parentWidget(), nullptr);

    // Keys go through the window system, where a modal box would stop them.
    for (const Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3}) {
        QTest::keyClick(window->windowHandle(), key);
    }
    EXPECT_EQ(number_box()->text(), QStringLiteral("123"));

    // Stop ends checks still waiting for the site; this one has answered.
    stop_query();
    QTest::qWait(100);
    ASSERT_EQ(open_box(), box);

    QAbstractButton* ok = nullptr;
    for (QAbstractButton* button : box->buttons()) {
        if (box->buttonRole(button) == QMessageBox::AcceptRole) {
            ok = button;
        }
    }
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(wait_until([&] { return !catcher.opened.empty(); }));
    EXPECT_EQ(catcher.opened[0], QUrl(QString::fromStdString(sites.base_url())));
}

} // namespace
} // namespace kesvane::testing

#include "update_check_test.moc"
