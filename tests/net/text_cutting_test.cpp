// cut_between, row by row of its table.

#include <gtest/gtest.h>

#include "text_cutting.h"

namespace kesvane {
namespace {

struct CutCase {
    const char* name;
    std::string text;
    std::string start_marker;
    std::string end_marker;
    std::string piece;
};

class CutBetween : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutBetween, GivesThePiece) {
    const CutCase& c = GetParam();
    EXPECT_EQ(cut_between(c.text, c.start_marker, c.end_marker), c.piece);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CutBetween,
    ::testing::Values(
        CutCase{"between", "aXbYc", "X", "Y", "b"}, CutCase{"case_ignored", "aXbYc", "x", "y", "b"},
        CutCase{"long_markers", "<html><TABLE>row</Table></html>", "<table>", "</table>", "row"},
        CutCase{"touching", "aXYb", "X", "Y", ""}, CutCase{"end_first", "aYbXcYd", "X", "Y", ""},
        CutCase{"end_overlaps_start", "aXYZb", "XY", "YZ", ""},
        CutCase{"end_missing", "aXbc", "X", "Y", ""}, CutCase{"both_missing", "abc", "X", "Y", ""},
        CutCase{"empty_text", "", "X", "Y", ""},
        // A missing start marker counts as position -1: the piece runs from
        // position L - 1 to just before the end marker.
        CutCase{"start_missing", "abcdefghiEND", "QQQ", "END", "bcdefghi"},
        CutCase{"start_missing_end_at_l", "abcE", "QQQQ", "E", "c"},
        CutCase{"start_missing_end_before_l", "abE", "QQQQQ", "E", ""},
        CutCase{"start_missing_short_marker", "abcdEND", "Q", "END", ""},
        CutCase{"empty_start_marker", "abcYd", "", "Y", "abc"},
        CutCase{"empty_start_marker_end_missing", "abc", "", "Y", ""},
        // 0x81 0x58 is one character whose second byte is "X": no match there.
        CutCase{"gbk_boundaries",
                "\x81X"
                "aXbYc",
                "X", "Y", "b"},
        CutCase{"gbk_piece", "X\xB2\xE9\xD1\xAFY", "x", "y", "\xB2\xE9\xD1\xAF"},
        CutCase{"china_post_reply",
                "<html><table></table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
                "onClick=\"javascript:hideshow('a1Child1','1')\" style=\"cursor:hand\">"
                "<p>delivered</p> </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>",
                "</table>\r\n\r\n \r\n<div id=\"a1Parent1\" "
                "onClick=\"javascript:hideshow('a1Child1','1')\" style=\"cursor:hand\">",
                " </div>\r\n \r\n \r\n </form> \r\n</body>\r\n</html>", "<p>delivered</p>"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kesvane
