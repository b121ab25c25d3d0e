// The China Post road and the captcha buttons, end to end: the real browser
// pane, the main window and the stand-in sites.
#include "captcha.h"
#include "captcha_picture.h"
#include "china_post.h"
#include "config.h"
#include "gbk_codec.h"
#include "gui_exchange.h"
#include "main_window.h"
#include "message_recorder.h"
#include "standin_sites.h"
#include "temp_run_dir.h"
#include "update_check.h"
#include "wait.h"
#include "web_engine_pane.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <gtest/gtest.h>

#include "browser_helpers.h"

#include <chrono>
#include <iostream>
#include <thread>

namespace kesvane::testing {
namespace {

using namespace std::chrono_literals;

const std::string kHeader =
    "<html>\r\n<head>\r\n<title>Dorvanu-Kesvane</title>\r\n<meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=gb2312\">\r\n</head>\r\n\r\n<body bgcolor=\"#FFFFFF\" "
    "text=\"#000000\">\r\n<style type=\"text/css\">\r\n<!--\r\nbody,td,th {\r\n\tfont-size: "
    "12px;\r\n}\r\nbody {\r\n\tbackground-color: #FFFFFF;\r\n}\r\n</style>";
const char kFooterText[] = "查询结果由《Kesvane》生成！感谢使用！";

std::string footer() {
    return "\r\n<a href=\"" + config().publisher_site_url +
           gbk("/\" target=\"_blank\"><font color=\"#0066FF\" size=\"2\">") + gbk(kFooterText) +
           "</font>\r\n</body>\r\n</html>";
}

QImage expected_picture(const std::string& code, const standin::CaptchaStyle& style) {
    const std::string png = standin::captcha_png(code, style);
    return QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                            static_cast<int>(png.size()))
        .convertToFormat(QImage::Format_RGB32);
}

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

std::string encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

TEST(CaptchaPictureTest, TakesGifJpegAndPngOnly) {
    QImage image(59, 30, QImage::Format_RGB32);
    image.fill(QColor(0, 51, 153));
    // A 1 x 1 GIF; Qt writes no GIF of its own.
    const std::string gif(
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04"
        "\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
        43);
    const std::string png = encoded(image, "PNG");
    struct Case {
        const char* name;
        std::string bytes;
        bool shown;
    };
    const Case cases[] = {
        {"png", png, true},
        {"jpeg", encoded(image, "JPEG"), true},
        {"gif", gif, true},
        {"bmp", encoded(image, "BMP"), false},
        {"cut png", png.substr(0, png.size() / 2), false},
        {"text", "<html>busy</html>", false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!captcha_picture(c.bytes).isNull(), c.shown) << c.name;
    }
    EXPECT_EQ(captcha_picture(png).size(), QSize(59, 30));
}

class ChinaPostRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(start_standin_sites(sites));
        run_dir = std::make_unique<TempRunDir>();
        messages = std::make_unique<MessageRecorder>();
        window = new MainWindow(std::make_unique<WebEnginePane>());
        pane = static_cast<WebEnginePane*>(&window->pane());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_TRUE(wait_for_load()); // the welcome page
        sites.clear_requests();
    }

    void TearDown() override {
        delete window;
        messages.reset();
        run_dir.reset();
        sites.stop();
    }

    QLineEdit* number_box() const { return main_control<QLineEdit>("单号"); }
    QLineEdit* captcha_box() const { return main_control<QLineEdit>("验证码输入"); }
    QLabel* picture() const { return main_control<QLabel>("验证码图片"); }
    QListWidget* couriers() const { return main_control<QListWidget>("选择列表框1"); }
    QPushButton* query_button() const { return main_control<QPushButton>("快递查询"); }
    QPushButton* refresh_button() const { return main_control<QPushButton>("刷新验证码"); }

    void tick(int index) const {
        couriers()->item(index)->setCheckState(Qt::Checked);
        couriers()->setCurrentRow(index);
    }

    bool wait_for_load() const {
        return wait_until([&] { return query_button()->isEnabled(); }, 15000);
    }

    QString page_text() const { return testing::page_text(*pane); }

    // What the road asked of the sites (the browser's own requests, such as
    // a favicon, left out).
    std::vector<std::string> road_requests() const {
        std::vector<std::string> paths;
        for (const auto& request : sites.requests()) {
            const std::string path = request.path();
            if (path == "/image" || path == "/queryMail.do" ||
                path == "/servlet/ImageCaptchaServlet") {
                paths.push_back(path);
            }
        }
        return paths;
    }

    QImage shown_picture() const {
        return picture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // China Post ticked, a fresh captcha fetched, number and captcha typed.
    void prepare_query(const QString& number, const QString& code_override = {}) {
        tick(22);
        QTest::mouseClick(refresh_button(), Qt::LeftButton);
        ASSERT_FALSE(sites.last_captcha_code().empty());
        number_box()->setText(number);
        captcha_box()->setText(code_override.isNull()
                                   ? QString::fromStdString(sites.last_captcha_code())
                                   : code_override);
    }

    // Query pressed; waits for the report page to be shown.
    void run_and_wait() {
        QTest::mouseClick(query_button(), Qt::LeftButton);
        ASSERT_TRUE(wait_for_load());
        ASSERT_EQ(pane->view()->url().scheme(), QStringLiteral("kesvane-page"))
            << pane->view()->url().toString().toStdString();
    }

    StandinSites sites;
    std::unique_ptr<TempRunDir> run_dir;
    std::unique_ptr<MessageRecorder> messages;
    MainWindow* window = nullptr;
    WebEnginePane* pane = nullptr;
};

TEST_F(ChinaPostRoadTest, RightCodeShowsTheCutResultTable) {
    prepare_query(QStringLiteral("1234567890"));
    const std::string code = sites.last_captcha_code();
    run_and_wait();

    const auto form = sites.wait_for_request("/queryMail.do", 1000ms);
    ASSERT_TRUE(form.has_value());
    EXPECT_EQ(form->method, "POST");
    EXPECT_EQ(form->body, "action=getBatchMailTrace&isin=1&mailCode=1234567890&code=" + code);
    EXPECT_EQ(form->header("Referer"), config().china_post_site_url + "/queryMail.do");
    EXPECT_EQ(form->header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_NE(form->header("Cookie").find("JSESSIONID="), std::string::npos);

    const std::string page = read_file(run_dir->report_file());
    ASSERT_GT(page.size(), kHeader.size() + footer().size());
    EXPECT_EQ(page.substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(page.substr(page.size() - footer().size()), footer());
    const std::string piece =
        page.substr(kHeader.size(), page.size() - kHeader.size() - footer().size());
    EXPECT_EQ(piece.rfind("\r\n<b>" + gbk("邮件号码：1234567890") + "</b>\r\n<table", 0), 0u)
        << piece;
    EXPECT_EQ(piece.substr(piece.size() - 10), "</table>\r\n");

    const QString text = page_text();
    EXPECT_TRUE(text.contains(QString::fromUtf8("邮件号码：1234567890"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("处理时间"))) << text.toStdString();
    EXPECT_TRUE(text.trimmed().endsWith(QString::fromUtf8(kFooterText))) << text.toStdString();
    // The road leaves the captcha as it was.
    EXPECT_EQ(captcha_box()->text(), QString::fromStdString(code));
}

TEST_F(ChinaPostRoadTest, RejectedOrUnansweredFormGivesHeaderAndFooterOnly) {
    for (const bool site_down : {false, true}) {
        SCOPED_TRACE(site_down ? "site down" : "wrong code");
        // 0 is never part of a code.
        prepare_query(QStringLiteral("1234567890"), QStringLiteral("0000"));
        if (site_down) {
            ::setenv("KESVANE_CHINA_POST_SITE_URL",
                     ("http://127.0.0.1:" + std::to_string(closed_port())).c_str(), 1);
            reload_config();
        }
        run_and_wait();
        EXPECT_EQ(read_file(run_dir->report_file()), kHeader + footer());
        EXPECT_EQ(page_text().trimmed(), QString::fromUtf8(kFooterText));
        EXPECT_TRUE(messages->messages.empty());
    }
}

TEST_F(ChinaPostRoadTest, EmptyCaptchaWarnsAndSendsNothing) {
    tick(22);
    number_box()->setText(QStringLiteral("1234567890"));
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请输入验证码后进行查询！");
    EXPECT_EQ(messages->messages[0].title, "警告");
    EXPECT_EQ(messages->messages[0].flags, 48);
    EXPECT_TRUE(query_button()->isEnabled());
    QTest::qWait(200);
    EXPECT_TRUE(road_requests().empty()); // neither the form nor a new captcha
    EXPECT_TRUE(picture()->pixmap().isNull());
}

TEST_F(ChinaPostRoadTest, EmptyNumberFetchesANewCaptchaAndFocusesItsBox) {
    tick(22);
    captcha_box()->setText(QStringLiteral("ABCD"));
    number_box()->setFocus();
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请输入快递单号！");
    EXPECT_EQ(messages->messages[0].flags, 48);
    ASSERT_TRUE(sites.wait_for_request("/image", 1000ms).has_value());
    EXPECT_FALSE(sites.wait_for_request("/queryMail.do", 0ms).has_value());
    EXPECT_EQ(shown_picture(),
              expected_picture(sites.last_captcha_code(), standin::china_post_captcha_style()));
    EXPECT_TRUE(captcha_box()->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), captcha_box());
}

TEST_F(ChinaPostRoadTest, RefreshShowsTheTickedSitesPicture) {
    // Neither ticked: nothing at all.
    QTest::mouseClick(refresh_button(), Qt::LeftButton);
    QTest::qWait(200);
    EXPECT_TRUE(road_requests().empty());
    EXPECT_TRUE(picture()->pixmap().isNull());

    // Both ticked: the EMS picture wins.
    tick(22);
    tick(7);
    captcha_box()->setText(QStringLiteral("XY"));
    number_box()->setFocus();
    QTest::mouseClick(refresh_button(), Qt::LeftButton);
    EXPECT_EQ(road_requests(), std::vector<std::string>{"/servlet/ImageCaptchaServlet"});
    EXPECT_EQ(shown_picture(),
              expected_picture(sites.last_ems_captcha_code(), standin::ems_captcha_style()));
    EXPECT_EQ(QApplication::focusWidget(), captcha_box());
    EXPECT_TRUE(captcha_box()->text().isEmpty()); // emptied by its focus handler

    // China Post alone.
    couriers()->item(7)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(refresh_button(), Qt::LeftButton);
    EXPECT_EQ(shown_picture(),
              expected_picture(sites.last_captcha_code(), standin::china_post_captcha_style()));

    // A site that answers no picture leaves the box blank.
    ::setenv("KESVANE_CHINA_POST_SITE_URL",
             ("http://127.0.0.1:" + std::to_string(closed_port())).c_str(), 1);
    reload_config();
    QTest::mouseClick(refresh_button(), Qt::LeftButton);
    EXPECT_TRUE(picture()->pixmap().isNull());
}

TEST_F(ChinaPostRoadTest, WindowKeepsPaintingWhileTheFormIsPosted) {
    prepare_query(QStringLiteral("EA123456789CN"));
    sites.set_form_delay(3000);

    QElapsedTimer clock;
    qint64 last_tick = 0;
    qint64 longest_gap = 0;
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest_gap = std::max(longest_gap, now - last_tick);
        last_tick = now;
        ++ticks;
        picture()->update();
    });
    PaintCounter counter;
    picture()->installEventFilter(&counter);

    clock.start();
    ticker.start();
    QTest::mouseClick(query_button(), Qt::LeftButton);
    const qint64 handler_ms = clock.elapsed();
    longest_gap = std::max(longest_gap, handler_ms - last_tick);
    const int ticks_inside = ticks;
    const int paints_inside = counter.paints;
    ticker.stop();
    picture()->removeEventFilter(&counter);

    std::cout << "form post handler took " << handler_ms << " ms; timer ticks " << ticks_inside
              << ", paints " << paints_inside << ", longest GUI-thread stall " << longest_gap
              << " ms\n";
    RecordProperty("longest_stall_ms", static_cast<int>(longest_gap));
    ASSERT_GE(handler_ms, 2900); // the handler did wait for the whole exchange
    EXPECT_GT(ticks_inside, 50);
    EXPECT_GT(paints_inside, 20);
    EXPECT_LT(longest_gap, 1000); // a frozen thread would show the full 3 s

    ASSERT_TRUE(wait_for_load());
    EXPECT_TRUE(page_text().contains(QStringLiteral("EA123456789CN")));
}

TEST_F(ChinaPostRoadTest, NothingElseRunsUntilTheQueryHandlerIsOver) {
    prepare_query(QStringLiteral("1234567890"));
    sites.set_form_delay(1000);
    sites.set_version_reply("1.3");
    messages->answer_next(false); // the update box: Cancel

    // Halfway through the post: an update check whose answer comes back
    // during the post, work handed over from another thread, and a request
    // to close the window.
    bool handler_over = false;
    bool handed_over_ran_inside = false;
    bool handed_over_ran = false;
    QTimer::singleShot(100, [&] { start_update_check(); });
    QTimer::singleShot(300, [&] {
        std::thread([&] {
            QMetaObject::invokeMethod(
                qApp,
                [&] {
                    run_unheld([&] {
                        handed_over_ran = true;
                        handed_over_ran_inside = !handler_over;
                    });
                },
                Qt::QueuedConnection);
        }).detach();
    });
    QTimer::singleShot(
        500, [&] { QCoreApplication::postEvent(window->windowHandle(), new QCloseEvent); });

    QTest::mouseClick(query_button(), Qt::LeftButton);
    handler_over = true;
    EXPECT_TRUE(messages->messages.empty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(handed_over_ran);
    const std::string page = read_file(run_dir->report_file());
    EXPECT_NE(page.find(gbk("邮件号码：1234567890")), std::string::npos);

    // Afterwards, in the order they came.
    ASSERT_TRUE(wait_until([&] { return !window->isVisible(); }, 5000));
    EXPECT_TRUE(handed_over_ran);
    EXPECT_FALSE(handed_over_ran_inside);
    ASSERT_TRUE(wait_until([&] { return !messages->messages.empty(); }, 5000));
    EXPECT_EQ(messages->messages[0].text, "发现更新，是否访问主页进行下载？");
}

} // namespace
} // namespace kesvane::testing
