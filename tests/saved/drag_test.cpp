// Dragging a saved number to another row. Most events go the whole way
// through Qt's input handling, from the window down, so that the live button
// state, the pointer grab of a press and the movement Qt adds before a
// release elsewhere are all real.
#include "saved_fixture.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>

namespace kesvane::testing {
namespace {

class DragTest : public SavedListFixture {
protected:
    QWindow* handle() const { return window->windowHandle(); }
    QPoint in_window(QPoint viewport_point) const {
        return list()->viewport()->mapTo(window, viewport_point);
    }
    void press(QPoint at) const {
        QTest::mousePress(handle(), Qt::LeftButton, Qt::NoModifier, in_window(at));
    }
    void move(QPoint at) const { QTest::mouseMove(handle(), in_window(at)); }
    void release(QPoint at) const {
        QTest::mouseRelease(handle(), Qt::LeftButton, Qt::NoModifier, in_window(at));
    }
    void drag(int from, int onto) const {
        press(row_point(from));
        move(row_point(from) + QPoint(3, 1));
        move(row_point(onto));
        release(row_point(onto));
    }
    // The same with events sent straight to the rows' area.
    void drag_on_viewport(int from, int onto) const {
        QWidget* rows = list()->viewport();
        QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, row_point(from));
        QTest::mouseMove(rows, row_point(from) + QPoint(3, 1));
        QTest::mouseMove(rows, row_point(onto));
        QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, row_point(onto));
    }
    Qt::CursorShape pointer() const { return list()->viewport()->cursor().shape(); }
    int selected_rows() const { return int(list()->selectionModel()->selectedRows().size()); }
    // The last row that the rows' area shows whole.
    int last_whole_row() const {
        int row = list()->rowAt(list()->viewport()->height() - 1);
        if (list()->rowViewportPosition(row) + list()->rowHeight(row) >
            list()->viewport()->height()) {
            --row;
        }
        return row;
    }
    int first_row_shown() const { return list()->rowAt(0); }
};

TEST_F(DragTest, DroppingMovesTheRowAndRewritesTheStore) {
    const struct {
        int from;
        int onto;
        std::vector<std::string> order;
    } cases[] = {
        {0, 2, {"2", "3", "1", "4"}},
        {3, 1, {"1", "4", "2", "3"}},
    };
    for (const auto& c : cases) {
        for (const bool on_viewport : {false, true}) {
            store(numbered(4));
            if (on_viewport) {
                drag_on_viewport(c.from, c.onto);
            } else {
                drag(c.from, c.onto);
            }
            EXPECT_EQ(shown_numbers(), c.order) << c.from << " onto " << c.onto;
            EXPECT_EQ(stored(), shown());
            EXPECT_EQ(selected_rows(), 0);
            EXPECT_EQ(pointer(), Qt::ArrowCursor);
        }
    }
}

TEST_F(DragTest, TheLiveButtonStateFollowsTheseEvents) {
    store(numbered(2));
    press(row_point(0));
    EXPECT_TRUE(QGuiApplication::mouseButtons() & Qt::LeftButton);
    move(row_point(1));
    EXPECT_EQ(pointer(), Qt::SizeAllCursor);
    EXPECT_EQ(list()->selectionModel()->selectedRows().value(0).row(), 1);
    release(row_point(1));
    EXPECT_FALSE(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

TEST_F(DragTest, PressAndReleaseWithoutMovingLeavesTheFileAlone) {
    store(numbered(4));
    const std::string bytes = store_bytes();
    press(row_point(1));
    release(row_point(1));
    EXPECT_EQ(store_bytes(), bytes);
    EXPECT_EQ(shown(), numbered(4));
    // The click picked the row as usual.
    EXPECT_EQ(number_box()->text(), QStringLiteral("2"));
}

TEST_F(DragTest, DroppingARowOnItselfRewritesTheSameOrder) {
    store(numbered(3));
    click_row(1);
    drag(1, 1);
    EXPECT_EQ(shown(), numbered(3));
    EXPECT_EQ(stored(), numbered(3));
    EXPECT_EQ(selected_rows(), 0);
}

TEST_F(DragTest, APressBelowTheRowsMovesNothing) {
    store(numbered(4));
    click_row(0);
    const std::string bytes = store_bytes();
    const QPoint below(20, list()->viewport()->height() - 5);
    press(below);
    move(below - QPoint(0, 3));
    move(row_point(2));
    move(row_point(3));
    release(row_point(3));
    EXPECT_EQ(shown(), numbered(4));
    EXPECT_EQ(store_bytes(), bytes);
}

TEST_F(DragTest, AReleaseOutsideTheListThenAMovementEndsTheDrag) {
    store(numbered(4));
    const std::string bytes = store_bytes();
    press(row_point(0));
    move(row_point(0) + QPoint(2, 0));
    move(row_point(2));
    EXPECT_EQ(pointer(), Qt::SizeAllCursor);
    // Out to the right of the list and let go there.
    const QPoint outside(list()->viewport()->width() + 60, row_point(2).y());
    move(outside);
    release(outside);
    EXPECT_EQ(shown(), numbered(4));
    EXPECT_EQ(store_bytes(), bytes);
    // Back over the list with the button up.
    move(row_point(3));
    EXPECT_EQ(pointer(), Qt::ArrowCursor);
    press(row_point(3));
    release(row_point(3));
    EXPECT_EQ(shown(), numbered(4));
    EXPECT_EQ(store_bytes(), bytes);
}

TEST_F(DragTest, DraggingOnTheLastOrFirstShownRowScrollsOneRowPerMovement) {
    store(numbered(60));
    QScrollBar* bar = list()->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    const int last = last_whole_row();
    ASSERT_GT(last, 3);
    const QPoint bottom = row_point(last);
    press(row_point(0));
    move(row_point(0) + QPoint(2, 0));
    for (int step = 1; step <= 3; ++step) {
        move(bottom + QPoint(step % 2, 0));
        EXPECT_EQ(first_row_shown(), step) << step;
    }
    // Released where the pointer last was: a release elsewhere would come
    // with a movement of its own.
    release(bottom + QPoint(1, 0));
    // The row landed where the pointer was last: the row that was last
    // whole before the final scroll.
    EXPECT_EQ(shown_numbers()[static_cast<size_t>(last + 2)], "1");

    // Upwards: from a row further down, on the first row shown.
    bar->setValue(20);
    const QPoint top = row_point(20);
    press(row_point(25));
    move(row_point(25) + QPoint(2, 0));
    for (int step = 1; step <= 3; ++step) {
        move(top + QPoint(step % 2, 0));
        EXPECT_EQ(first_row_shown(), 20 - step) << step;
    }
    release(top + QPoint(1, 0));
    EXPECT_EQ(shown_numbers()[18], "26"); // onto row 18, the first shown at the last movement
}

} // namespace
} // namespace kesvane::testing
