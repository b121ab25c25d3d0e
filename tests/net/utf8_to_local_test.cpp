// UTF-8 replies to GBK text.

#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "gbk_codec.h"
#include "text_cutting.h"

namespace kesvane {
namespace {

struct ConversionCase {
    const char* name;
    std::string utf8;
    std::string gbk;
};

class Utf8ToLocal : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8ToLocal, Converts) {
    EXPECT_EQ(utf8_to_local(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToLocal,
    ::testing::Values(ConversionCase{"empty", "", ""},
                      ConversionCase{"ascii", "{\"status\":\"1\",\"data\":[<b>&amp;</b>]}",
                                     "{\"status\":\"1\",\"data\":[<b>&amp;</b>]}"},
                      ConversionCase{"word", "\xE6\x9F\xA5\xE8\xAF\xA2", "\xB2\xE9\xD1\xAF"},
                      ConversionCase{"ends_in_multibyte", "a\xE6\x9F\xA5\xE8\xAF\xA2",
                                     "a\xB2\xE9\xD1\xAF"},
                      ConversionCase{"zero_inside", std::string("ab\0\xE6\x9F\xA5", 6), "ab"},
                      ConversionCase{"zero_first", std::string("\0ab", 3), ""},
                      // GBK bytes are not UTF-8: B2 and E9 are bad, D1 AF is U+046F,
                      // which GBK cannot hold.
                      ConversionCase{"gbk_fed_as_utf8", "\xB2\xE9\xD1\xAF", "???"},
                      ConversionCase{"euro", "\xE2\x82\xAC", "\x80"},
                      ConversionCase{"outside_gbk", "x\xF0\x9F\x98\x80\xE0\xB8\x81y", "x??y"},
                      ConversionCase{"cut_sequence_at_end", "ok\xE6\x9F", "ok?"},
                      ConversionCase{"lone_bad_byte",
                                     "a\xFF"
                                     "b",
                                     "a?b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8ToLocalBounds, ReadsNothingPastTheGivenBytes) {
    const std::string buffer = "\xE6\x9F\xA5\xE8\xAF\xA2\xE6\x9F\xA5";
    EXPECT_EQ(utf8_to_local(std::string_view(buffer.data(), 6)), "\xB2\xE9\xD1\xAF");
}

// A long mixed reply, bad bytes included, crosses many pivot buffers; the
// result must equal the plain two-step conversion.
TEST(Utf8ToLocalBounds, LongMixedTextMatchesTheTwoStepConversion) {
    const std::vector<std::string> pieces{"<td>",         "\xE6\x9F\xA5\xE8\xAF\xA2",
                                          "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                          "\xFF",         "\xE6\x9F",
                                          "\r\n",         "A1"};
    std::mt19937 random(7);
    std::string text;
    while (text.size() < 300000) {
        text += pieces[random() % pieces.size()];
    }
    const std::string expected = utf8_to_gbk(text);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(utf8_to_local(text), expected);
}

TEST(Utf8ToLocalBounds, ThreadsConvertAtTheSameTime) {
    const std::string text(20000, 'x');
    std::string word;
    for (int i = 0; i < 5000; ++i) {
        word += "\xE6\x9F\xA5\xE8\xAF\xA2";
    }
    std::vector<std::thread> threads;
    std::atomic<int> right{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20; ++i) {
                if (utf8_to_local(text + word) == text + utf8_to_gbk(word)) {
                    ++right;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(right, 80);
}

} // namespace
} // namespace kesvane
