// Searching and trimming GBK text.

#include <gtest/gtest.h>

#include "gbk_codec.h"
#include "gbk_text.h"

namespace kesvane {
namespace {

struct FindCase {
    const char* name;
    std::string haystack;
    std::string needle;
    int from;
    int position;
};

class FindText : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindText, FindsOnlyAtCharacterBoundaries) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find_text(c.haystack, c.needle, c.from), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindText,
    ::testing::Values(
        FindCase{"plain", "abcabc", "bc", 1, 2}, FindCase{"case_ignored", "xABC", "abc", 1, 2},
        FindCase{"from_position", "aXa", "a", 2, 3}, FindCase{"missing", "abc", "d", 1, -1},
        FindCase{"needle_longer", "ab", "abc", 1, -1},
        // 0x81 0x41 is one character whose second byte is "A".
        FindCase{"second_byte_is_a_letter",
                 "\x81\x41"
                 "A",
                 "a", 1, 3},
        FindCase{"second_byte_only", "\x81\x41", "A", 1, -1},
        FindCase{"double_byte_needle", "x\xB2\xE9\xD1\xAF", "\xD1\xAF", 1, 4},
        // E9 D1 straddles two characters.
        FindCase{"straddling_needle", "\xB2\xE9\xD1\xAF", "\xE9\xD1", 1, -1},
        FindCase{"empty_needle", "abc", "", 1, 1}, FindCase{"empty_needle_from", "abc", "", 2, 2},
        FindCase{"empty_haystack", "", "", 1, -1}, FindCase{"from_past_end", "abc", "c", 4, -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct TrimCase {
    const char* name;
    std::string text;
    std::string trimmed;
};

class TrimBlanks : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanks, RemovesSpacesAndIdeographicSpaces) {
    EXPECT_EQ(trim_blanks(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimBlanks,
    ::testing::Values(TrimCase{"spaces", "  a b  ", "a b"},
                      TrimCase{"ideographic",
                               "\xA1\xA1 a\xA1\xA1"
                               "b \xA1\xA1",
                               "a\xA1\xA1"
                               "b"},
                      TrimCase{"blanks_only", " \xA1\xA1 ", ""}, TrimCase{"empty", "", ""},
                      TrimCase{"tabs_kept", " \tab\t ", "\tab\t"},
                      // B0 A1 is a character; the A1 A1 after it is a blank.
                      TrimCase{"trail_byte_a1", "\xB0\xA1\xA1\xA1", "\xB0\xA1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GbkText, LetterCaseLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(ascii_lower("AB\x81\x41"), "ab\x81\x41");
    EXPECT_EQ(ascii_upper("ab\x81\x61"), "AB\x81\x61");
}

TEST(GbkCodec, EuroSignIsByte80BothWays) {
    EXPECT_EQ(gbk("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(gbk_to_utf16("\x80"), u"\u20AC");
    EXPECT_EQ(gbk("查询"), "\xB2\xE9\xD1\xAF");
}

} // namespace
} // namespace kesvane

namespace {

TEST(GbkTextCaseTest, SecondBytesOfTwoByteCharactersKeepTheirCase) {
    // 0x81 0x41 and 0x81 0x61 are two different characters.
    EXPECT_FALSE(kesvane::equals_text("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(kesvane::equals_text("\x81\x41Z", "\x81\x41z"));
    EXPECT_EQ(kesvane::find_text("x\x81\x41", "\x81\x61"), -1);
    EXPECT_FALSE(kesvane::starts_with_text("\x81\x41", "\x81\x61"));
}

} // namespace
