// The packed skin format and the skin source language, without any widgets.
#include "skin_format.h"
#include "skin_source.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace skivra {
namespace {

Skin sample_skin() {
    Skin skin;
    skin.name = "积木";
    skin.base_style = "Fusion";
    skin.palette = {{ColorGroup::All, ColorRole::Window, {1, 2, 3, 255}},
                    {ColorGroup::Disabled, ColorRole::Text, {9, 8, 7, 128}}};
    skin.metrics = {{Metric::ScrollBarExtent, 16},
                    {Metric::IndicatorShape, static_cast<std::int32_t>(IndicatorShape::Seal)}};
    skin.accents = {{Accent::IndicatorMark, {255, 255, 255, 255}}};
    skin.rules = "QPushButton { color: #123456; }";
    return skin;
}

Result unpack(const std::vector<std::uint8_t>& block, const char* password = "K") {
    Skin skin;
    return unpack_skin(block.data(), static_cast<std::int32_t>(block.size()), password, skin);
}

std::string read_source(const char* file) {
    std::ifstream in(std::string(KESVANE_SOURCE_DIR) + "/look/skins/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SkinFormat, PackedSkinReadsBackWhole) {
    const std::vector<std::uint8_t> block = pack_skin(sample_skin(), "K");
    ASSERT_GE(block.size(), kHeaderSize);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "SKVR");
    Skin read;
    ASSERT_EQ(unpack_skin(block.data(), static_cast<std::int32_t>(block.size()), "K", read), kOk);
    EXPECT_EQ(read, sample_skin());
    // The rules are not legible in the block.
    const std::string bytes(block.begin(), block.end());
    EXPECT_EQ(bytes.find("QPushButton"), std::string::npos);
}

TEST(SkinFormat, EachFaultHasItsOwnResultAndLeavesTheSkinAlone) {
    const std::vector<std::uint8_t> good = pack_skin(sample_skin(), "K");
    auto with = [&good](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> copy = good;
        copy[at] = value;
        return copy;
    };
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    const std::vector<std::uint8_t> header_only(good.begin(), good.begin() + kHeaderSize);
    // A payload whose records are cut short, sealed properly.
    const std::vector<std::uint8_t> cut = seal_payload({1, 10, 0, 0, 0, 'a', 'b'}, "K");
    const std::vector<std::uint8_t> bad_role =
        seal_payload({3, 6, 0, 0, 0, 0, 99, 1, 2, 3, 4}, "K");
    const std::vector<std::uint8_t> bad_shape = seal_payload({4, 5, 0, 0, 0, 8, 7, 0, 0, 0}, "K");
    const std::vector<std::uint8_t> later_tag = seal_payload({200, 1, 0, 0, 0, 'x'}, "K");

    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;
        const char* password;
        Result expected;
    } cases[] = {
        {"good", good, "K", kOk},
        {"signature", with(3, 'X'), "K", kErrorSignature},
        {"version", with(4, 2), "K", kErrorVersion},
        {"reserved byte", with(7, 1), "K", kErrorVersion},
        {"longer than its header says", longer, "K", kErrorLength},
        {"header alone", header_only, "K", kErrorLength},
        {"shorter than a header", std::vector<std::uint8_t>(good.begin(), good.begin() + 8), "K",
         kErrorLength},
        {"wrong password", good, "k", kErrorPassword},
        {"empty password", good, "", kErrorPassword},
        {"payload byte", with(kHeaderSize + 3, good[kHeaderSize + 3] ^ 0x40), "K", kErrorChecksum},
        {"checksum byte", with(15, good[15] ^ 0x80), "K", kErrorChecksum},
        {"record cut short", cut, "K", kErrorContent},
        {"unknown colour role", bad_role, "K", kErrorContent},
        {"unknown indicator shape", bad_shape, "K", kErrorContent},
        {"record of a later version", later_tag, "K", kOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Skin skin = sample_skin();
        skin.name = "untouched";
        const Result result = unpack_skin(c.block.data(), static_cast<std::int32_t>(c.block.size()),
                                          c.password, skin);
        EXPECT_EQ(result, c.expected);
        if (result != kOk) {
            EXPECT_EQ(skin.name, "untouched");
        }
    }
    Skin skin;
    EXPECT_EQ(unpack_skin(nullptr, 20, "K", skin), kErrorArguments);
    EXPECT_EQ(unpack_skin(good.data(), -1, "K", skin), kErrorArguments);
    EXPECT_EQ(unpack_skin(good.data(), static_cast<std::int32_t>(good.size()), nullptr, skin),
              kErrorArguments);
}

// Every single-bit change and every truncation of a real skin is refused.
TEST(SkinFormat, NoDamagedBlockOfAShippedSkinIsAccepted) {
    SourceError error;
    const std::optional<Skin> skin = parse_skin_source(read_source("red_china.skin"), error);
    ASSERT_TRUE(skin.has_value()) << error.message;
    std::vector<std::uint8_t> block = pack_skin(*skin, "K");
    for (std::size_t at = 0; at < block.size(); ++at) {
        const int bit = static_cast<int>(at % 8);
        block[at] ^= static_cast<std::uint8_t>(1 << bit);
        ASSERT_NE(unpack(block), kOk) << "bit " << bit << " of byte " << at;
        block[at] ^= static_cast<std::uint8_t>(1 << bit);
    }
    for (std::size_t size = 0; size < block.size(); size += 7) {
        Skin read;
        ASSERT_NE(unpack_skin(block.data(), static_cast<std::int32_t>(size), "K", read), kOk)
            << size;
    }
    EXPECT_EQ(unpack(block), kOk);
}

TEST(SkinSource, ReadsSectionsAndReplacesNamedColours) {
    const char* text = "# a comment\n"
                       "[skin]\n"
                       "name = 测试\n"
                       "base = Fusion\n"
                       "[colors]\n"
                       "red = #ff0000\n"
                       "half = #00ff0080\n"
                       "[palette]\n"
                       "Window = @red\n"
                       "Disabled.Text = @half\n"
                       "[metrics]\n"
                       "ScrollBarExtent = 16\n"
                       "Indicator = block\n"
                       "[accents]\n"
                       "IndicatorFill = #010203\n"
                       "[rules]\n"
                       "# not a comment here\n"
                       "QLabel { color: @red; }\n";
    SourceError error;
    const std::optional<Skin> skin = parse_skin_source(text, error);
    ASSERT_TRUE(skin.has_value()) << error.line << ": " << error.message;
    EXPECT_EQ(skin->name, "测试");
    EXPECT_EQ(skin->base_style, "Fusion");
    const std::vector<PaletteEntry> palette = {
        {ColorGroup::All, ColorRole::Window, {255, 0, 0, 255}},
        {ColorGroup::Disabled, ColorRole::Text, {0, 255, 0, 128}}};
    EXPECT_EQ(skin->palette, palette);
    const std::vector<MetricEntry> metrics = {
        {Metric::ScrollBarExtent, 16},
        {Metric::IndicatorShape, static_cast<std::int32_t>(IndicatorShape::Block)}};
    EXPECT_EQ(skin->metrics, metrics);
    const std::vector<AccentEntry> accents = {{Accent::IndicatorFill, {1, 2, 3, 255}}};
    EXPECT_EQ(skin->accents, accents);
    EXPECT_EQ(skin->rules, "# not a comment here\nQLabel { color: #ff0000; }\n");
}

TEST(SkinSource, ErrorsNameTheirLine) {
    const std::string head = "[skin]\nname = x\n[colors]\nred = #ff0000\n";
    struct Case {
        std::string text;
        int line;
    } cases[] = {
        {head + "[palette]\nWindow = @blue\n", 6},
        {head + "[palette]\nWindowColour = #000000\n", 6},
        {head + "[palette]\nWindow = #00000\n", 6},
        {head + "[palette]\nSometimes.Window = #000000\n", 6},
        {head + "[metrics]\nScrollBarExtent = wide\n", 6},
        {head + "[metrics]\nScrollBarExtent = 5000\n", 6},
        {head + "[metrics]\nIndicator = round\n", 6},
        {head + "[accents]\nGlow = #000000\n", 6},
        {head + "[shapes]\n", 5},
        {head + "[palette\n", 5},
        {head + "loose line\n", 5},
        {head + "[rules]\nQLabel {}\nQLabel { color: @nothing; }\n", 7},
        {"[skin]\nbase = Fusion\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SourceError error;
        EXPECT_FALSE(parse_skin_source(c.text, error).has_value());
        EXPECT_EQ(error.line, c.line) << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

// A finished skin styles every kind of control the program shows, not just
// its colours.
TEST(SkinSource, ShippedSkinsStyleEveryKindOfControl) {
    for (const char* file : {"blocks.skin", "red_china.skin"}) {
        SCOPED_TRACE(file);
        SourceError error;
        const std::optional<Skin> skin = parse_skin_source(read_source(file), error);
        ASSERT_TRUE(skin.has_value()) << error.line << ": " << error.message;
        for (const char* selector :
             {"QPushButton {", "QPushButton:default", "QPushButton:pressed", "QPushButton:disabled",
              "QLineEdit", "QComboBox", "QListWidget", "QTableView", "QHeaderView::section",
              "QGroupBox {", "QGroupBox::title", "QMenuBar", "QMenu {", "QMenu::item:selected",
              "QStatusBar", "QScrollBar::handle", "QCheckBox", "QToolTip"}) {
            EXPECT_NE(skin->rules.find(selector), std::string::npos) << selector;
        }
        EXPECT_EQ(skin->rules.find('@'), std::string::npos);
        EXPECT_GE(skin->palette.size(), 15u);
    }
}

} // namespace
} // namespace skivra
