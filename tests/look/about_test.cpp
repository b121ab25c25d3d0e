// The About window and the help message.
#include "about.h"
#include "about_window.h"
#include "message_recorder.h"

#include "config.h"
#include "gbk_codec.h"
#include "program_values.h"
#include "qt_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kesvane::testing {
namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Catches the addresses the program hands to the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QStringList urls;

public slots:
    void open(const QUrl& url) { urls << url.toString(); }
};

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        current_version = "1.2";
        caption_suffix = gbk(" 测试版 by Dorvanu");
    }

    // Opens the About window as the menu does and runs `act` on it once it
    // is up; returns when the window has closed, or false after 10 s.
    static bool open_and(const std::function<void(QDialog*)>& act) {
        bool acted = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (window != nullptr && window->isVisible() && !acted) {
                acted = true;
                act(window);
            }
        });
        QTimer give_up;
        give_up.setSingleShot(true);
        QObject::connect(&give_up, &QTimer::timeout, [] {
            if (QWidget* window = QApplication::activeModalWidget()) {
                window->close();
            }
        });
        poll.start();
        give_up.start(10000);
        open_about_window();
        return acted && give_up.isActive();
    }
};

TEST_F(AboutTest, TitleLineReadsLikeTheMainCaptionEveryTime) {
    for (int i = 0; i < 2; ++i) {
        const std::unique_ptr<QDialog> window(create_about_window());
        EXPECT_EQ(find_control<QLabel>(window.get(), "标签3")->text(),
                  utf8("Kesvane v1.2 测试版 by Dorvanu"));
        EXPECT_EQ(window->windowTitle(), utf8("关于Kesvane"));
    }
}

TEST_F(AboutTest, InformationTextLineByLine) {
    const std::string text = gbk_to_utf8(about_information_text());
    const std::string indent(11, ' ');
    const std::string expected = std::string(13, ' ') + "\r\n" +      //
                                 indent + "作    者 : Dorvanu\r\n" +  //
                                 indent + "编译日期 : 2012.1.9\r\n" + //
                                 indent + "主    页 : " + config().publisher_site_url + "\r\n" +
                                 indent +
                                 "版权所有 : Kesvane 开发组 2012-2026\r\n" //
                                 "\r\n"
                                 "更新记录:\r\n"
                                 "\r\n"
                                 "本版主要修复申通、顺丰EMS查询网址（临时）";
    EXPECT_EQ(text, expected);

    const std::unique_ptr<QDialog> window(create_about_window());
    auto* label = find_control<QLabel>(window.get(), "标签1");
    EXPECT_EQ(label->text().split(QLatin1Char('\n')).size(), 9);
    EXPECT_EQ(label->text(), utf8(text.c_str()).remove(QLatin1Char('\r')));

    // The blanks keep the text clear of the picture, the field names end in
    // one column, and every line fits.
    auto* picture = find_control<QLabel>(window.get(), "图片框1");
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->pixmap().size(), QSize(48, 48));
    const QFontMetrics metrics(label->font());
    EXPECT_GT(label->x() + metrics.horizontalAdvance(QString(11, QLatin1Char(' '))),
              picture->geometry().right());
    EXPECT_EQ(metrics.horizontalAdvance(utf8("作    者")),
              metrics.horizontalAdvance(utf8("编译日期")));
    EXPECT_LE(metrics.lineSpacing() * 9, label->height()); // no line cut off
}

TEST_F(AboutTest, IsAFixedModalWindowWithACloseBoxOnly) {
    const std::unique_ptr<QDialog> window(create_about_window());
    EXPECT_EQ(window->size(), QSize(384, 261));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(window->parentWidget(), nullptr); // a task-bar button of its own
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    auto* close = find_control<QPushButton>(window.get(), "关闭按钮");
    EXPECT_TRUE(close->isDefault());
    EXPECT_EQ(close->text(), utf8("关闭(&C)"));
    EXPECT_EQ(find_control<QPushButton>(window.get(), "访问主页")->text(), utf8("访问主页(&H)"));
}

TEST_F(AboutTest, EnterEscAndTheCloseButtonsCloseIt) {
    const std::function<void(QDialog*)> ways[] = {
        [](QDialog* w) { QTest::keyClick(w, Qt::Key_Return); },
        [](QDialog* w) { QTest::keyClick(w, Qt::Key_Enter); },
        [](QDialog* w) { QTest::keyClick(w, Qt::Key_Escape); },
        [](QDialog* w) { find_control<QPushButton>(w, "关闭按钮")->click(); },
        [](QDialog* w) { w->close(); }, // the title bar's Close box
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        EXPECT_TRUE(open_and(ways[i])) << "way " << i;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(AboutTest, VisitHomePageOpensItAndLeavesTheWindowOpen) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    bool still_open = false;
    EXPECT_TRUE(open_and([&still_open](QDialog* w) {
        find_control<QPushButton>(w, "访问主页")->click();
        QTest::qWait(100);
        still_open = w->isVisible() && QApplication::activeModalWidget() == w;
        w->reject();
    }));
    EXPECT_TRUE(still_open);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(QUrl(catcher.urls[0]), QUrl(QString::fromStdString(config().publisher_site_url)));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

TEST_F(AboutTest, HelpShowsItsMessageAndNothingElse) {
    MessageRecorder recorder;
    show_help_message();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text,
              "这么简单的软件不用帮助吧……\r\n\r\n自己先摸索吧，有问题请到主页留言！");
    EXPECT_EQ(recorder.messages[0].title, "帮助");
    EXPECT_EQ(recorder.messages[0].flags, 0);
}

} // namespace
} // namespace kesvane::testing

#include "about_test.moc"
