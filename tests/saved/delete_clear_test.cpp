// Deleting one saved number and clearing them all.
#include "saved_fixture.h"

#include "delete_clear.h"
#include "record_store.h"

#include "gbk_codec.h"

#include <QAction>
#include <QTest>

namespace kesvane::testing {
namespace {

using DeleteClearTest = SavedListFixture;

TEST_F(DeleteClearTest, DeletingTheMiddleRowKeepsTheOthersInOrder) {
    store({{"1", "中通", "a"}, {"2", "EMS", "b"}, {"3", "申通", "c"}});
    click_row(1);
    window->menu_item("删除单号")->trigger();
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(messages->messages[0].text, "您确认删除单号吗？");
    EXPECT_EQ(messages->messages[0].title, "删除提示");
    EXPECT_EQ(messages->messages[0].flags, 49);
    EXPECT_EQ(messages->messages[1].text, "删除成功！");
    EXPECT_EQ(messages->messages[1].title, "删除成功");
    EXPECT_EQ(messages->messages[1].flags, 64);
    const std::vector<Saved> rest = {{"1", "中通", "a"}, {"3", "申通", "c"}};
    EXPECT_EQ(stored(), rest);
    EXPECT_EQ(shown(), rest);

    // No row is selected afterwards: Delete again asks nothing and deletes nothing.
    messages->messages.clear();
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(stored(), rest);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请选择想要删除的单号");
    EXPECT_EQ(messages->messages[0].title, "提示");
    EXPECT_EQ(messages->messages[0].flags, 48);
}

TEST_F(DeleteClearTest, CancelAtEitherQuestionChangesNothing) {
    const struct {
        const char* item;
        const char* question;
    } cases[] = {{"删除单号", "您确认删除单号吗？"}, {"全部删除", "是否清空数据库？"}};
    for (const auto& c : cases) {
        store(numbered(3));
        const std::string bytes = store_bytes();
        click_row(0);
        messages->messages.clear();
        messages->answer_next(false);
        window->menu_item(c.item)->trigger();
        ASSERT_EQ(messages->messages.size(), 1u) << c.item;
        EXPECT_EQ(messages->messages[0].text, c.question);
        EXPECT_EQ(store_bytes(), bytes) << c.item;
        EXPECT_EQ(shown(), numbered(3)) << c.item;
    }
    EXPECT_EQ(messages->messages[0].title, "全部删除提示");
    EXPECT_EQ(messages->messages[0].flags, 49);
}

TEST_F(DeleteClearTest, ClearingRemovesEveryRecordAndReportsSuccessEvenWhenEmpty) {
    for (int count : {3, 0}) {
        store(numbered(count));
        messages->messages.clear();
        window->menu_item("全部删除")->trigger();
        ASSERT_EQ(messages->messages.size(), 2u) << count;
        EXPECT_EQ(messages->messages[1].text, "已全部删除！");
        EXPECT_EQ(messages->messages[1].title, "删除成功");
        EXPECT_EQ(messages->messages[1].flags, 64);
        EXPECT_TRUE(stored().empty());
        EXPECT_EQ(list()->rowCount(), 0);
    }
}

TEST_F(DeleteClearTest, AStoreThatCannotBeOpenedGivesTheFailureMessages) {
    store(numbered(2));
    click_row(0);
    write_file(run_dir->store_file(), "garbage");
    delete_saved_number();
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(messages->messages[1].text, "删除失败！");
    EXPECT_EQ(messages->messages[1].title, "删除失败");
    EXPECT_EQ(messages->messages[1].flags, 64);
    EXPECT_EQ(list()->rowCount(), 2); // not rebuilt

    messages->messages.clear();
    clear_saved_numbers();
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(messages->messages[1].text, "全部删除失败！");
    EXPECT_EQ(messages->messages[1].title, "删除失败");
    EXPECT_EQ(list()->rowCount(), 0); // rebuilt from nothing
    EXPECT_EQ(read_file(run_dir->store_file()), "garbage");
}

TEST_F(DeleteClearTest, ARowTheStoreNoLongerHoldsIsNotDeletedInItsPlace) {
    store(numbered(3));
    click_row(1);
    // Another program removed record 2 since the list was filled.
    write_store(run_dir->store_file(), {{"1", "中通", ""}, {"3", "中通", ""}});
    delete_saved_number();
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(messages->messages[1].text, "删除失败！");
    EXPECT_EQ(stored(), (std::vector<Saved>{{"1", "中通", ""}, {"3", "中通", ""}}));
}

} // namespace
} // namespace kesvane::testing
