// The saved-number list: reload, picking a row, the list's events, the
// automatic-save switch and the automatic save of a query.
#include "saved_fixture.h"

#include "saved_list.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTest>

namespace kesvane::testing {
namespace {

using SavedListTest = SavedListFixture;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

TEST(SavedListStartUpTest, ShowsTheStoreInStoreOrder) {
    TempRunDir run_dir;
    MessageRecorder messages;
    const std::vector<Saved> records = {
        {"ZT100", "中通", "给妈妈的"}, {"E200", "EMS", ""}, {"S300", "申通", "书"}};
    write_store(run_dir.store_file(), records);
    const std::string bytes = read_file(run_dir.store_file());
    {
        MainWindow window(std::make_unique<RecordingPane>());
        auto* list = main_control<QTableWidget>("超级列表框1");
        EXPECT_EQ(rows_of(list), records);
        EXPECT_EQ(list->selectionModel()->selectedRows().size(), 0);
    }
    EXPECT_EQ(read_file(run_dir.store_file()), bytes);
}

TEST_F(SavedListTest, AnEmptyStoreShowsOnlyTheHeaders) {
    EXPECT_EQ(list()->rowCount(), 0);
    ASSERT_EQ(list()->columnCount(), 3);
    EXPECT_FALSE(list()->horizontalHeader()->isHidden());
    EXPECT_EQ(list()->horizontalHeaderItem(1)->text(), utf8("公司"));
}

TEST_F(SavedListTest, PickingARowTicksExactlyItsCourierAndFillsTheNumber) {
    store({{"ZT1", "中通", ""}, {"E1", "EMS", ""}, {"G1", "广东邮政", ""}});
    tick(3);
    tick(5);
    click_row(1);
    for (int i = 0; i < couriers()->count(); ++i) {
        EXPECT_EQ(couriers()->item(i)->checkState(), i == 7 ? Qt::Checked : Qt::Unchecked) << i;
    }
    EXPECT_EQ(couriers()->currentRow(), 7);
    EXPECT_EQ(number_box()->text(), utf8("E1"));

    click_row(2);
    EXPECT_EQ(couriers()->currentRow(), 23);
    EXPECT_EQ(couriers()->item(23)->checkState(), Qt::Checked);
    EXPECT_EQ(couriers()->item(7)->checkState(), Qt::Unchecked);
    EXPECT_EQ(number_box()->text(), utf8("G1"));
}

TEST_F(SavedListTest, PickingARowWithoutACatalogueCourierChangesNothing) {
    store({{"L1", "ems", ""}, {"N1", "", ""}, {"X1", "中通快递", ""}});
    const struct {
        const char* what;
        int row; // -1: below the rows
    } cases[] = {
        {"lower-case courier", 0}, {"empty courier", 1}, {"longer text", 2}, {"no row", -1}};
    for (const auto& c : cases) {
        tick(4);
        number_box()->setText(QStringLiteral("KEEP"));
        if (c.row >= 0) {
            click_row(c.row);
        } else {
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(20, list()->viewport()->height() - 5));
            EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 0);
        }
        EXPECT_EQ(number_box()->text(), QStringLiteral("KEEP")) << c.what;
        EXPECT_EQ(couriers()->currentRow(), 4) << c.what;
        EXPECT_EQ(couriers()->item(4)->checkState(), Qt::Checked) << c.what;
    }
}

TEST_F(SavedListTest, RightClickOpensTheSavedListPopup) {
    store(numbered(2));
    QTest::mouseClick(list()->viewport(), Qt::RightButton, Qt::NoModifier, row_point(0));
    QMenu* popup = window->saved_list_popup();
    ASSERT_TRUE(wait_until([popup] { return popup->isVisible(); }, 2000));
    QStringList items;
    for (QAction* action : popup->actions()) {
        items << action->text();
    }
    EXPECT_EQ(items, QStringList({utf8("添加单号"), utf8("编辑单号"), utf8("删除单号\tDel"),
                                  utf8("全部删除"), utf8("取消")}));
    popup->close();
}

TEST_F(SavedListTest, TheDeleteKeyAsksAndOtherKeysDoNothing) {
    store(numbered(2));
    click_row(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_A);
    QTest::keyClick(list(), Qt::Key_Insert);
    EXPECT_TRUE(messages->messages.empty());

    messages->answer_next(false);
    QTest::keyClick(list(), Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "您确认删除单号吗？");
    EXPECT_EQ(stored(), numbered(2));
}

TEST_F(SavedListTest, AutoSaveItemTogglesItsMark) {
    QAction* item = window->menu_item("自动保存单号");
    ASSERT_TRUE(item->isChecked());
    EXPECT_TRUE(auto_save_enabled());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(auto_save_enabled());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    toggle_auto_save();
    EXPECT_FALSE(auto_save_enabled());
}

TEST_F(SavedListTest, AutoSaveMatchesSavedNumbersByTheirBeginning) {
    store({{"ABC123", "中通", "n"}, {"xyz9", "申通", ""}});
    const struct {
        const char* typed;
        bool saved;
    } cases[] = {
        {"ABC", false},    // the beginning of a saved number
        {"ABC123", false}, // the saved number itself
        {"XYZ", false},    // letter case does not count
        {"ABC1234", true}, // a saved number with more after it
        {" Q7 ", true},    // saved trimmed
    };
    std::vector<Saved> expected = stored();
    for (const auto& c : cases) {
        query(c.typed);
        if (c.saved) {
            expected.push_back({QString::fromUtf8(c.typed).trimmed().toStdString(), "申通", ""});
        }
        EXPECT_EQ(stored(), expected) << c.typed;
        EXPECT_EQ(shown(), expected) << c.typed;
    }
    EXPECT_EQ(list()->columnWidth(2), 120);
    EXPECT_EQ(list()->columnWidth(1), 60);
    EXPECT_EQ(list()->columnWidth(0), 90);
}

TEST_F(SavedListTest, AutoSaveStoresTheCurrentItemNotTheTickedOne) {
    query("SF1", 6);
    EXPECT_EQ(stored(), (std::vector<Saved>{{"SF1", "顺丰", ""}}));
    // The tick on 申通 still chose the road.
    ASSERT_FALSE(pane->navigations.empty());
    EXPECT_NE(pane->navigations.back().find("SF1"), std::string::npos);
}

TEST_F(SavedListTest, NothingIsSavedWhileAutoSaveIsOff) {
    toggle_auto_save();
    query("OFF1");
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(list()->columnWidth(2), 100);
}

TEST_F(SavedListTest, AutoSaveIntoAStoreThatCannotBeOpenedSavesNothingAndSaysNothing) {
    write_file(run_dir->store_file(), "not a store");
    query("N1");
    EXPECT_EQ(read_file(run_dir->store_file()), "not a store");
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_TRUE(messages->messages.empty());
}

} // namespace
} // namespace kesvane::testing
