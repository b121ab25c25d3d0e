// The main window's layout, menus and small handlers, on a recording pane.
#include "main_window_fixture.h"

#include "addresses.h"
#include "catalogue.h"
#include "config.h"
#include "pane_operations.h"
#include "report_page.h"
#include "shell_handlers.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTest>

#include <filesystem>

namespace kesvane::testing {
namespace {

using MainWindowTest = MainWindowFixture;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

TEST_F(MainWindowTest, StartsWithCaptionCouriersAndWelcomePage) {
    EXPECT_EQ(window->windowTitle(), utf8("Kesvane v1.2 测试版 by Dorvanu"));

    const QStringList expected = {"中通",     "天天",   "申通",   "韵达",   "汇通",     "圆通",
                                  "顺丰",     "EMS",    "亚风",   "飞康达", "速尔",     "德邦",
                                  "新邦",     "鑫飞鸿", "宅急送", "快捷",   "DHL",      "TNT",
                                  "中邮物流", "中铁",   "星辰",   "FEDEX",  "中国邮政", "广东邮政"};
    ASSERT_EQ(couriers()->count(), expected.size());
    for (int i = 0; i < couriers()->count(); ++i) {
        EXPECT_EQ(couriers()->item(i)->text(), expected[i]) << i;
        EXPECT_EQ(couriers()->item(i)->checkState(), Qt::Unchecked);
    }
    EXPECT_EQ(couriers()->currentRow(), -1);
    EXPECT_TRUE(query_button()->isDefault());

    ASSERT_EQ(pane->navigations.size(), 1u);
    EXPECT_EQ(pane->navigations[0], config().publisher_site_url + "/soft/welcome.html");
    // The store was created from the template at start-up.
    EXPECT_EQ(std::filesystem::file_size(run_dir->store_file()), 332u);
}

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThem) {
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"单号", {9, 24, 135, 24}},          {"验证码输入", {79, 72, 59, 30}},
        {"快递查询", {180, 166, 100, 57}},   {"选择列表框1", {180, 24, 100, 136}},
        {"超级列表框1", {9, 247, 271, 265}},
    };
    for (const Place& place : places) {
        auto* widget = main_control<QWidget>(place.name);
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->geometry(), place.rect) << place.name;
    }
    EXPECT_EQ(captcha_box()->maxLength(), 4);
    auto* list = main_control<QTableWidget>("超级列表框1");
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), utf8("快递单号"));
    EXPECT_EQ(list->columnWidth(0), 90);
    EXPECT_EQ(list->columnWidth(1), 60);
    EXPECT_EQ(list->columnWidth(2), 100);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(MainWindowTest, NumberAndCaptchaBoxesTakeCapitals) {
    number_box()->setFocus();
    QTest::keyClicks(number_box(), "zt12ab");
    EXPECT_EQ(number_box()->text(), utf8("ZT12AB"));
    // Pasted text goes through the same rule.
    number_box()->clear();
    number_box()->insert(QStringLiteral("abc"));
    EXPECT_EQ(number_box()->text(), utf8("ABC"));

    captcha_box()->setFocus();
    QTest::keyClicks(captcha_box(), "wxyz9");
    EXPECT_EQ(captcha_box()->text(), utf8("WXYZ"));
}

TEST_F(MainWindowTest, ClickingACheckBoxTicksAndHighlightsTheCourier) {
    QListWidget* list = couriers();
    const QRect item = list->visualItemRect(list->item(2));
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = item;
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(list->currentRow(), 2);
}

TEST_F(MainWindowTest, PrecedenceOrderAndCodes) {
    const std::array<int, 24> expected{0,  1,  2,  4,  13, 21, 19, 8, 9, 3, 10, 22,
                                       17, 16, 20, 11, 12, 14, 23, 5, 6, 7, 15, 18};
    EXPECT_EQ(precedence_order(), expected);
    EXPECT_EQ(courier_catalogue()[21].company_code, "FEDEX");
    EXPECT_EQ(courier_catalogue()[17].company_code, "TNT");
    EXPECT_EQ(courier_catalogue()[16].company_code, "dhl");
    EXPECT_EQ(courier_catalogue()[22].road, Road::ChinaPost);
    int api_roads = 0;
    for (const CourierEntry& entry : courier_catalogue()) {
        api_roads += entry.road == Road::Api ? 1 : 0;
    }
    EXPECT_EQ(api_roads, 20);
}

TEST_F(MainWindowTest, PageRoadAddressesCarryTheNumberUnchanged) {
    const Config& c = config();
    EXPECT_EQ(sto_result_address("36&7#9"), c.sto_query_url + "/result.aspx?wen=36&7#9");
    EXPECT_EQ(sf_result_address("SF 1"),
              c.kuaidi100_wap_url +
                  "/wap_result.jsp?rand=36739&id=shunfeng&fromWeb=null&sessionid="
                  "D4A7E09B35F2C6185A0E7B3D9F24C6A1&postid=SF 1&sub=%E6%9F%A5%E8%AF%A2");
    EXPECT_EQ(ems_page_address(), c.kuaidi100_site_url + "/all/ems.shtml");

    std::string site;
    for (char ch : c.taobao_wap_url) {
        site += ch == ':'   ? std::string("%3A")
                : ch == '/' ? std::string("%2F")
                            : std::string(1, ch);
    }
    EXPECT_EQ(taobao_bought_items_address(), c.taobao_wap_url + "/login/login.htm?redirect_url=" + site +
                                           "%2Ftrade%2Fbought_item_lists.htm%3Fsprefer%3D" +
                                           c.taobao_referrer_tag +
                                           "%26sid%3D3c8e1f5a9d0b6e47%26status_id%3D5");

    window->menu_item("查淘宝")->trigger();
    EXPECT_EQ(pane->navigations.back(), taobao_bought_items_address());
}

TEST_F(MainWindowTest, QueryTakesTheFirstTickInPrecedenceOrder) {
    struct Case {
        std::vector<int> ticks;
        int current;
        std::string expected_navigation; // empty: no page road
    };
    const Config& c = config();
    const Case cases[] = {
        {{2}, 2, c.sto_query_url + "/result.aspx?wen=123"},
        {{6}, 6, sf_result_address("123")},
        {{7, 15}, 15, c.kuaidi100_site_url + "/all/ems.shtml"},
        {{6, 0}, 6, ""}, // 中通 comes first: the API road, 顺丰 ignored
        {{5, 2}, 5, c.sto_query_url + "/result.aspx?wen=123"},
    };
    for (const Case& test : cases) {
        for (int i = 0; i < couriers()->count(); ++i) {
            couriers()->item(i)->setCheckState(Qt::Unchecked);
        }
        for (int index : test.ticks) {
            tick(index, false);
        }
        couriers()->setCurrentRow(test.current);
        number_box()->setText(QStringLiteral("123"));
        pane->navigations.clear();
        QTest::mouseClick(query_button(), Qt::LeftButton);
        if (test.expected_navigation.empty()) {
            EXPECT_TRUE(pane->navigations.empty());
        } else {
            ASSERT_EQ(pane->navigations.size(), 1u);
            EXPECT_EQ(pane->navigations[0], test.expected_navigation);
        }
        EXPECT_FALSE(query_button()->isEnabled()) << "the page's load gives Query back";
        pane->finish_load();
        EXPECT_TRUE(query_button()->isEnabled());
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(MainWindowTest, QueryTrimsBlanksAndIdeographicSpaces) {
    struct Case {
        QString typed;
        QString shown;
    };
    const Case cases[] = {
        {utf8("  ST 99  "), utf8("ST 99")},
        {utf8("\u3000\u300012\u3000 "), utf8("12")},
        {utf8("\t7 "), utf8("\t7")},
        {utf8("   "), utf8("")}, // passes the emptiness test, goes on as the empty number
    };
    tick(2);
    for (const Case& test : cases) {
        number_box()->setText(test.typed);
        pane->navigations.clear();
        QTest::mouseClick(query_button(), Qt::LeftButton);
        EXPECT_EQ(number_box()->text(), test.shown);
        ASSERT_EQ(pane->navigations.size(), 1u);
        EXPECT_EQ(pane->navigations[0],
                  config().sto_query_url + "/result.aspx?wen=" + to_local(test.shown));
        pane->finish_load();
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(MainWindowTest, QueryExplainsWhatIsMissing) {
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请输入快递单号！");
    EXPECT_EQ(messages->messages[0].title, "提示");
    EXPECT_EQ(messages->messages[0].flags, 48);
    EXPECT_TRUE(query_button()->isEnabled());

    number_box()->setText(QStringLiteral(" 55 "));
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(messages->messages[1].text, "请选择欲查询的快递公司！");
    EXPECT_EQ(messages->messages[1].title, "提示");
    EXPECT_EQ(messages->messages[1].flags, 0);
    EXPECT_EQ(number_box()->text(), utf8("55")) << "trimmed before the courier check";
    EXPECT_TRUE(query_button()->isEnabled());

    // A highlighted courier without a tick: the same notice, Query back at once.
    couriers()->setCurrentRow(3);
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_EQ(messages->messages.size(), 3u);
    EXPECT_EQ(messages->messages[2].text, "请选择欲查询的快递公司！");
    EXPECT_TRUE(query_button()->isEnabled());
    EXPECT_EQ(pane->navigations.size(), 1u) << "only the welcome page";
}

TEST_F(MainWindowTest, MenuQueryRunsWhileTheButtonIsDisabled) {
    tick(2);
    number_box()->setText(QStringLiteral("1"));
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_FALSE(query_button()->isEnabled());
    refresh_button()->setDefault(true);
    query_button()->setDefault(false);
    window->menu_item("查询(&C)")->trigger();
    EXPECT_TRUE(query_button()->isDefault());
    EXPECT_EQ(pane->navigations.size(), 3u);
}

TEST_F(MainWindowTest, LayoutRuleFollowsTheOuterSize) {
    const PaneLayout designed = layout_for_window_size(861, 591);
    EXPECT_EQ(designed.pane_width, 541);
    EXPECT_EQ(designed.pane_height, 481);
    EXPECT_EQ(designed.group_width, 556);
    EXPECT_EQ(designed.group_height, 506);
    const PaneLayout large = layout_for_window_size(1280, 1000);
    EXPECT_EQ(large.pane_width, 960);
    EXPECT_EQ(large.pane_height, 890);
    EXPECT_EQ(large.group_width, 975);
    EXPECT_EQ(large.group_height, 915);
    const PaneLayout tiny = layout_for_window_size(300, 100);
    EXPECT_EQ(tiny.pane_width, -20);
    EXPECT_EQ(tiny.pane_height, -10);

    auto* browser = main_control<QWidget>("互联网浏览器1");
    auto* group = main_control<QGroupBox>("分组框2");
    const QSize outer = window->frameGeometry().size();
    EXPECT_EQ(browser->size(), QSize(outer.width() - 320, outer.height() - 110));
    EXPECT_EQ(group->size(), QSize(outer.width() - 305, outer.height() - 85));

    window->showMaximized();
    ASSERT_TRUE(wait_until([&] { return window->frameGeometry().width() > 861; }, 3000));
    const QSize maximized = window->frameGeometry().size();
    EXPECT_EQ(browser->size(), QSize(maximized.width() - 320, maximized.height() - 110));
    EXPECT_EQ(group->size(), QSize(maximized.width() - 305, maximized.height() - 85));
    EXPECT_EQ(browser->pos(), QPoint(296, 24));
    EXPECT_EQ(main_control<QWidget>("超级列表框1")->geometry(), QRect(9, 247, 271, 265));
}

TEST_F(MainWindowTest, MenuBarShowsThreeEntriesAndKeepsThePopupHidden) {
    QStringList bar;
    for (QAction* action : window->menuBar()->actions()) {
        bar << action->text();
    }
    EXPECT_EQ(bar, QStringList({utf8("文件(&F)"), utf8("打印(&P)"), utf8("帮助(&H)")}));

    QStringList popup;
    for (QAction* action : window->saved_list_popup()->actions()) {
        popup << action->text();
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    EXPECT_EQ(popup, QStringList({utf8("添加单号"), utf8("编辑单号"), utf8("删除单号\tDel"),
                                  utf8("全部删除"), utf8("取消")}));

    QStringList file;
    for (QAction* action : window->menuBar()->actions()[0]->menu()->actions()) {
        file << action->text();
    }
    EXPECT_EQ(file, QStringList({utf8("查询(&C)"), utf8("查淘宝"), utf8("添加单号(&A)"),
                                 utf8("自动保存单号"), utf8("皮肤(&S)"), utf8("退出(&X)")}));
    EXPECT_TRUE(window->menu_item("自动保存单号")->isChecked());
}

TEST_F(MainWindowTest, DefaultButtonFollowsTheFocusAndTheCaptcha) {
    refresh_button()->setDefault(true);
    query_button()->setDefault(false);
    captcha_box()->setText(QStringLiteral("AB"));
    captcha_box()->setFocus();
    ASSERT_TRUE(wait_until([&] { return captcha_box()->hasFocus(); }, 2000));
    EXPECT_EQ(captcha_box()->text(), QString()) << "focus empties the captcha box";
    QTest::keyClicks(captcha_box(), "k");
    EXPECT_FALSE(refresh_button()->isDefault());
    EXPECT_TRUE(query_button()->isDefault());

    refresh_button()->setDefault(true);
    query_button()->setDefault(false);
    number_box()->setFocus();
    ASSERT_TRUE(wait_until([&] { return number_box()->hasFocus(); }, 2000));
    EXPECT_TRUE(query_button()->isDefault());
    EXPECT_TRUE(refresh_button()->isDefault()) << "only Query is switched here";

    // Enter in the number box presses the default button.
    tick(2);
    number_box()->setText(QStringLiteral("77"));
    pane->navigations.clear();
    QTest::keyClick(number_box(), Qt::Key_Return);
    ASSERT_EQ(pane->navigations.size(), 1u);
    EXPECT_EQ(pane->navigations[0], config().sto_query_url + "/result.aspx?wen=77");
}

TEST_F(MainWindowTest, ClearLeavesTicksAndPaneAlone) {
    tick(4);
    number_box()->setText(QStringLiteral("12"));
    captcha_box()->setText(QStringLiteral("AB"));
    const size_t navigations = pane->navigations.size();
    QTest::mouseClick(main_control<QPushButton>("清空按钮"), Qt::LeftButton);
    EXPECT_TRUE(number_box()->text().isEmpty());
    EXPECT_TRUE(captcha_box()->text().isEmpty());
    EXPECT_EQ(couriers()->item(4)->checkState(), Qt::Checked);
    EXPECT_EQ(couriers()->currentRow(), 4);
    EXPECT_EQ(pane->navigations.size(), navigations);
    EXPECT_EQ(pane->stops, 0);
}

TEST_F(MainWindowTest, StatusTextGoesToTheSecondPart) {
    const QString credit = window->status_text(0);
    pane->show_status(QStringLiteral("http://example.org/x"));
    EXPECT_EQ(window->status_text(1), QStringLiteral("http://example.org/x"));
    pane->show_status(QString());
    EXPECT_EQ(window->status_text(1), QString());
    EXPECT_EQ(window->status_text(0), credit);
}

TEST_F(MainWindowTest, PrintMenusSendTheirCommands) {
    window->menu_item("打印预览(&V)")->trigger();
    window->menu_item("页面设置(&U)")->trigger();
    const auto file_menu = window->menuBar()->actions()[1]->menu()->actions();
    file_menu[0]->trigger();
    EXPECT_EQ(pane->commands, (std::vector<int>{2003, 2004, 27}));
}

TEST_F(MainWindowTest, ShutdownDeletesOnlyTheReportPageOnClose) {
    write_file(run_dir->report_file(), "old page");
    const std::string neighbour = (run_dir->path() / "temp" / "other.htm").string();
    write_file(neighbour, "keep me");
    window->close();
    EXPECT_FALSE(std::filesystem::exists(run_dir->report_file()));
    EXPECT_TRUE(std::filesystem::exists(neighbour));
    EXPECT_EQ(std::filesystem::file_size(run_dir->store_file()), 332u);
}

TEST_F(MainWindowTest, ExitRunsTheShutdownToo) {
    write_file(run_dir->report_file(), "old page");
    window->menu_item("退出(&X)")->trigger();
    EXPECT_FALSE(std::filesystem::exists(run_dir->report_file()));
}

TEST(StartUpTest, ExistingStoreIsLeftByteForByte) {
    TempRunDir run_dir;
    MessageRecorder messages;
    const std::string foreign = "not a store, but the user's file";
    write_file(run_dir.store_file(), foreign);
    { MainWindow window(std::make_unique<RecordingPane>()); }
    EXPECT_EQ(read_file(run_dir.store_file()), foreign);
}

} // namespace
} // namespace kesvane::testing
