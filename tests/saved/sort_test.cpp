// Sorting the saved numbers by a column: order, direction, header pictures
// and the store written in the new order.
#include "saved_fixture.h"

#include "header_pictures.h"
#include "saved_list.h"
#include "saved_rows.h"
#include "sort_drag.h"

#include "gbk_codec.h"
#include "record_store.h"

#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTest>

namespace kesvane::testing {
namespace {

using SortTest = SavedListFixture;

// G grey, W white, . transparent; rows from the top.
const char* const kUpward[7] = {"...GW...", "..G..W..", "..G..W..", ".G....W.",
                                ".G....W.", "G......W", "GGGGGGGW"};
const char* const kDownward[7] = {"GGGGGGGW", "G......W", ".G....W.", ".G....W.",
                                  "..G..W..", "..G..W..", "...GW..."};

QRgb expected_pixel(char code) {
    return code == 'G' ? qRgba(127, 127, 127, 255) : code == 'W' ? qRgba(255, 255, 255, 255) : 0;
}

void expect_picture(const QImage& picture, const char* const rows[7]) {
    ASSERT_EQ(picture.size(), QSize(8, 7));
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 8; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (rows[y][x] == '.') {
                EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
            } else {
                EXPECT_EQ(pixel, expected_pixel(rows[y][x])) << x << "," << y;
            }
        }
    }
}

// The picture of header column `column`; a null image when it has none.
QImage header_image(const QTableWidget* list, int column) {
    const QIcon icon = list->horizontalHeaderItem(column)->icon();
    return icon.isNull() ? QImage() : icon.pixmap(QSize(8, 7)).toImage();
}

// Whether the opaque pixels of `rows` appear somewhere in `shot`.
bool drawn_in(const QImage& shot, const char* const rows[7]) {
    for (int top = 0; top + 7 <= shot.height(); ++top) {
        for (int left = 0; left + 8 <= shot.width(); ++left) {
            bool all = true;
            for (int y = 0; y < 7 && all; ++y) {
                for (int x = 0; x < 8 && all; ++x) {
                    if (rows[y][x] != '.') {
                        all = shot.pixel(left + x, top + y) == expected_pixel(rows[y][x]);
                    }
                }
            }
            if (all) {
                return true;
            }
        }
    }
    return false;
}

class SortTestWithHeader : public SortTest {
protected:
    void click_header(int column) const {
        QHeaderView* header = list()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                   header->height() / 2));
    }
};

TEST(HeaderPictureTest, PicturesMatchTheirPixelTables) {
    expect_picture(header_picture_image(0), kUpward);
    expect_picture(header_picture_image(1), kDownward);
}

TEST_F(SortTestWithHeader, ClicksAlternateTheDirectionAndMoveThePicture) {
    store({{"99", "中通", "b"}, {"100", "EMS", "a"}, {"5", "申通", "c"}});

    click_header(0);
    std::vector<std::string> ascending = {"100", "5", "99"};
    EXPECT_EQ(shown_numbers(), ascending);
    expect_picture(header_image(list(), 0), kUpward);
    EXPECT_TRUE(drawn_in(
        list()->horizontalHeader()->grab().toImage().convertToFormat(QImage::Format_ARGB32),
        kUpward));
    EXPECT_EQ(stored(), shown());

    click_header(0);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"99", "5", "100"}));
    expect_picture(header_image(list(), 0), kDownward);
    EXPECT_EQ(stored(), shown());

    // Column 2 next: the direction keeps alternating across columns.
    click_header(2);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"100", "99", "5"})); // notes a, b, c
    expect_picture(header_image(list(), 2), kUpward);
    EXPECT_TRUE(header_image(list(), 0).isNull());
    EXPECT_EQ(stored(), shown());
    EXPECT_EQ(list()->columnWidth(0), 90);
}

TEST_F(SortTest, ColumnZeroThenOneSortsOneDescending) {
    store({{"A", "b", "1"}, {"C", "a", "2"}, {"B", "c", "3"}});
    sort_by_column(0);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"A", "B", "C"}));
    sort_by_column(1);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"B", "A", "C"}));
    expect_picture(header_image(list(), 1), kDownward);
    EXPECT_TRUE(header_image(list(), 0).isNull());
    EXPECT_TRUE(header_image(list(), 2).isNull());
    EXPECT_EQ(stored(), shown());
}

TEST_F(SortTest, AClickOnAnEmptyListOnlyFlipsTheDirection) {
    const std::string bytes = store_bytes();
    sort_by_column(1);
    for (int column = 0; column < 3; ++column) {
        EXPECT_TRUE(header_image(list(), column).isNull());
    }
    EXPECT_EQ(store_bytes(), bytes);

    store(numbered(3));
    sort_by_column(0);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"3", "2", "1"}));
    expect_picture(header_image(list(), 0), kDownward);
}

TEST_F(SortTest, CouriersSortInPinyinOrderUnderAChineseLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    store({{"1", "中通", ""},
           {"2", "圆通", ""},
           {"3", "申通", ""},
           {"4", "亚风", ""},
           {"5", "鑫飞鸿", ""}});
    sort_by_column(1);
    QLocale::setDefault(before);
    const std::vector<Saved> expected = {{"3", "申通", ""},
                                         {"5", "鑫飞鸿", ""},
                                         {"4", "亚风", ""},
                                         {"2", "圆通", ""},
                                         {"1", "中通", ""}};
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(stored(), expected);
}

TEST_F(SortTest, TheSortedOrderSurvivesARestart) {
    store({{"b", "中通", ""}, {"c", "中通", ""}, {"a", "中通", ""}});
    sort_by_column(0);
    delete window;
    window = new MainWindow(std::make_unique<RecordingPane>());
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"a", "b", "c"}));
    // A new run starts ascending again, with no picture.
    EXPECT_TRUE(header_image(list(), 0).isNull());
    sort_by_column(0);
    EXPECT_EQ(shown_numbers(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(SortTest, TheRewriteKeepsTheStoredBytesAndRecordsTheListDoesNotShow) {
    // A number cut by the store inside a two-byte character is no valid GBK.
    const std::string cut = "1234567890123456789" + gbk("中").substr(0, 1);
    close_store();
    ASSERT_TRUE(open_store(run_dir->store_file()));
    for (const std::string& number : {std::string("9"), cut}) {
        append_blank();
        write_field(gbk("单号"), number);
    }
    close_store();
    reload_saved_list();
    // Another program adds a record after the list was filled.
    ASSERT_TRUE(open_store(run_dir->store_file()));
    append_blank();
    write_field(gbk("单号"), "0-late");
    close_store();

    sort_by_column(0);
    close_store();
    ASSERT_TRUE(open_store(run_dir->store_file()));
    ASSERT_EQ(count_records(), 3);
    std::vector<std::string> numbers;
    for (int n = 1; n <= 3; ++n) {
        go_to_record(n);
        numbers.push_back(read_field(gbk("单号")));
    }
    close_store();
    EXPECT_EQ(numbers, (std::vector<std::string>{cut, "9", "0-late"}));
}

TEST_F(SortTest, CellsOutOfViewCatchUpAndRowsComingIntoViewShowTheirTexts) {
    const auto cell = [this](int row) {
        const QTableWidgetItem* item = list()->item(row, 0);
        return item == nullptr ? std::string() : item->text().toStdString();
    };
    const auto number = [this](int row) { return saved_cell(list(), row, 0); };
    const auto all_cells_right = [&] {
        for (int row = 0; row < list()->rowCount(); ++row) {
            if (cell(row) != number(row)) {
                return false;
            }
        }
        return true;
    };
    store(numbered(300));
    ASSERT_TRUE(wait_until(all_cells_right));

    sort_by_column(0); // "1", "10", "100", "101", ...
    EXPECT_EQ(cell(0), "1");
    EXPECT_EQ(cell(1), "10");

    // Scrolled to the end before any idle time: the rows painted are right.
    QScrollBar* bar = list()->verticalScrollBar();
    bar->setValue(bar->maximum());
    list()->viewport()->grab();
    const int first = list()->rowAt(0);
    ASSERT_GT(first, 200);
    for (int row = first; row < 300; ++row) {
        EXPECT_EQ(cell(row), number(row)) << row;
    }

    EXPECT_FALSE(all_cells_right()); // the rest waits for idle time
    ASSERT_TRUE(wait_until(all_cells_right));
    EXPECT_EQ(cell(299), "99");
}

} // namespace
} // namespace kesvane::testing
