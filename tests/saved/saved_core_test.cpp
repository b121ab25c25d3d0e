// The saved list's decisions without widgets: row moves, the drag state
// machine, header clicks and the collated order.
#include "drag_state.h"
#include "row_order.h"
#include "sort_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kesvane {
namespace {

TEST(MoveElementTest, MovesOneRowAndShiftsTheOthers) {
    struct Case {
        int from;
        int to;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, 2, {2, 3, 1, 4}}, // down: the rows between move up
        {3, 1, {1, 4, 2, 3}}, // up: the rows between move down
        {1, 1, {1, 2, 3, 4}}, // onto itself
        {0, 3, {2, 3, 4, 1}}, {3, 0, {4, 1, 2, 3}}, {-1, 2, {1, 2, 3, 4}}, // outside: nothing
        {1, 4, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        std::vector<int> rows{1, 2, 3, 4};
        move_element(rows, c.from, c.to);
        EXPECT_EQ(rows, c.expected) << c.from << " -> " << c.to;
    }
}

PointerSample sample(bool down, int selected, int hit, int rows = 10, bool in_list = true) {
    return {down, in_list, selected, hit, rows};
}

TEST(DragStateTest, AFirstMovementTakesTheSourceAndLaterOnesOnlyTheTarget) {
    DragState state;
    begin_drag(state);
    EXPECT_EQ(state.drag_target, -1);

    TrackStep step = track_drag(state, sample(true, 2, 2));
    EXPECT_TRUE(step.move_pointer);
    EXPECT_EQ(state.drag_source, 2);
    EXPECT_EQ(state.drag_target, 3);
    EXPECT_EQ(step.select_row, 2);

    step = track_drag(state, sample(true, 2, 5));
    EXPECT_FALSE(step.move_pointer);
    EXPECT_EQ(state.drag_source, 2);
    EXPECT_EQ(state.drag_target, 6);

    // Over no row: nothing selected, the target stays.
    step = track_drag(state, sample(true, 5, -1));
    EXPECT_EQ(step.select_row, -1);
    EXPECT_EQ(step.scroll_to_row, -1);
    EXPECT_EQ(state.drag_target, 6);

    const DropStep drop = drop_drag(state);
    EXPECT_TRUE(drop.move);
    EXPECT_EQ(drop.from, 2);
    EXPECT_EQ(drop.to, 5);
    EXPECT_EQ(state.drag_target, 0);
    EXPECT_EQ(state.drag_source, -1);
}

TEST(DragStateTest, ScrollsTowardsTheDirectionOfTheDrag) {
    struct Case {
        int source;
        int hit;
        int rows;
        int scroll_to;
    };
    const Case cases[] = {
        {2, 5, 10, 6},  // below the source: the next row
        {2, 2, 10, 3},  // on the source counts as below
        {2, 9, 10, -1}, // the last row: nothing further down
        {5, 3, 10, 2},  // above the source: the previous row
        {5, 0, 10, -1}, // the first row: nothing further up
    };
    for (const Case& c : cases) {
        DragState state;
        begin_drag(state);
        track_drag(state, sample(true, c.source, c.source, c.rows));
        const TrackStep step = track_drag(state, sample(true, c.hit, c.hit, c.rows));
        EXPECT_EQ(step.scroll_to_row, c.scroll_to) << c.source << " over " << c.hit;
    }
}

TEST(DragStateTest, ReleasesThatMoveNothing) {
    // Released without a movement.
    DragState state;
    begin_drag(state);
    EXPECT_FALSE(drop_drag(state).move);

    // Pressed below the rows: no selected row, so no source.
    state = {};
    begin_drag(state);
    track_drag(state, sample(true, -1, 1));
    track_drag(state, sample(true, 1, 2));
    EXPECT_EQ(state.drag_source, -1);
    EXPECT_FALSE(drop_drag(state).move);

    // Released outside the list: the drop waits for the next movement,
    // which sees the button up and ends the drag.
    state = {};
    begin_drag(state);
    track_drag(state, sample(true, 0, 0));
    track_drag(state, sample(true, 0, 2));
    track_drag(state, sample(true, 2, -1, 10, false));
    EXPECT_FALSE(drop_drag(state).move);
    const TrackStep step = track_drag(state, sample(false, -1, 1));
    EXPECT_TRUE(step.ended);
    EXPECT_EQ(state.drag_target, 0);
    EXPECT_EQ(state.drag_source, -1);

    // No drag at all: movements are none of its business.
    EXPECT_FALSE(track_drag(state, sample(true, 1, 1)).act);
}

TEST(SortStateTest, DirectionAlternatesAcrossColumnsAndPicturesFollow) {
    SortState state;
    HeaderClick click = click_header(state, 0, 3);
    EXPECT_TRUE(click.ascending);
    EXPECT_EQ(click.picture_column, 0);
    EXPECT_EQ(click.picture, 0);
    EXPECT_EQ(click.remove_picture_from, -1);

    click = click_header(state, 1, 3);
    EXPECT_FALSE(click.ascending);
    EXPECT_EQ(click.remove_picture_from, 0);
    EXPECT_EQ(click.picture_column, 1);
    EXPECT_EQ(click.picture, 1);
    EXPECT_EQ(state.sorted_column, 1);

    // An empty list: the direction flips, nothing else.
    click = click_header(state, 2, 0);
    EXPECT_FALSE(click.sort);
    EXPECT_EQ(click.picture_column, -1);
    EXPECT_EQ(state.sorted_column, 1);
    EXPECT_TRUE(state.sort_ascending);
}

std::vector<QString> sorted(std::vector<QString> keys, bool ascending, const QLocale& locale) {
    std::vector<QString> result;
    for (const int index : collated_order(keys, ascending, locale)) {
        result.push_back(keys[static_cast<size_t>(index)]);
    }
    return result;
}

std::vector<QString> texts(std::initializer_list<const char*> utf8) {
    std::vector<QString> result;
    for (const char* text : utf8) {
        result.push_back(QString::fromUtf8(text));
    }
    return result;
}

TEST(CollatedOrderTest, DigitsAreCharacters) {
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(sorted(texts({"99", "100", "9"}), true, locale), texts({"100", "9", "99"}));
    EXPECT_EQ(sorted(texts({"99", "100", "9"}), false, locale), texts({"99", "9", "100"}));
}

TEST(CollatedOrderTest, ChineseSortsByPinyinUnderAChineseLocale) {
    // Neither code-point nor GBK byte order: 中 < 圆 < 申 by code point and
    // 亚 < 鑫 by GBK bytes.
    const auto keys = texts({"中通", "亚风", "圆通", "申通", "鑫飞鸿"});
    EXPECT_EQ(sorted(keys, true, QLocale(QLocale::Chinese, QLocale::China)),
              texts({"申通", "鑫飞鸿", "亚风", "圆通", "中通"}));
}

TEST(CollatedOrderTest, LetterCaseCountsAndEqualKeysKeepTheirOrder) {
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const auto order = collated_order(texts({"b", "B", "a", "b"}), true, locale);
    EXPECT_EQ(order, (std::vector<int>{2, 0, 3, 1})); // lower case first in ICU's order
}

} // namespace
} // namespace kesvane
