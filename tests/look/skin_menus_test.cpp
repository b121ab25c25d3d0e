// The three skin menu items against a recording engine loaded in place of
// the real one: what is loaded when, and the exact arguments of each call.
#include "main_window_fixture.h"
#include "recording_engine.h"

#include "skin_blocks.h"
#include "skin_format.h"
#include "skin_source.h"

#include <QAction>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <sstream>

namespace kesvane::testing {
namespace {

// Loaded with RTLD_NOLOAD: nullptr unless the program has loaded it.
void* loaded_engine() {
    return ::dlopen(KESVANE_RECORDING_ENGINE, RTLD_NOW | RTLD_NOLOAD);
}

const std::vector<RecordedSkinCall>& recorded_calls() {
    void* engine = loaded_engine();
    EXPECT_NE(engine, nullptr);
    static const std::vector<RecordedSkinCall> none;
    if (engine == nullptr) {
        return none;
    }
    auto calls =
        reinterpret_cast<RecordedSkinCallsFunction>(::dlsym(engine, "recorded_skin_calls"));
    ::dlclose(engine); // only drops the reference RTLD_NOLOAD took
    return *calls();
}

skivra::Skin skin_from_source(const char* file) {
    std::ifstream in(std::string(KESVANE_SOURCE_DIR) + "/look/skins/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    skivra::SourceError error;
    std::optional<skivra::Skin> skin = skivra::parse_skin_source(text.str(), error);
    EXPECT_TRUE(skin.has_value()) << file << ":" << error.line << ": " << error.message;
    return skin.value_or(skivra::Skin{});
}

void expect_attach(const RecordedSkinCall& call, const unsigned char* block, std::int32_t size,
                   const char* source) {
    EXPECT_TRUE(call.attach);
    EXPECT_EQ(call.data, static_cast<const void*>(block)); // the block itself, not a copy
    EXPECT_EQ(call.length, size);
    EXPECT_EQ(std::memcmp(call.data, "SKVR", 4), 0);
    EXPECT_EQ(call.password, std::string(skin_password));
    EXPECT_EQ(call.password.size(), 1u);
    EXPECT_EQ(call.reserved[0], 0);
    EXPECT_EQ(call.reserved[1], 0);
    EXPECT_EQ(call.reserved[2], 0);
    // The block is the packed form of its source, whole.
    skivra::Skin packed;
    EXPECT_EQ(skivra::unpack_skin(call.data, call.length, call.password.c_str(), packed),
              skivra::kOk);
    EXPECT_EQ(packed, skin_from_source(source));
}

class SkinMenuTest : public MainWindowFixture {
protected:
    static void SetUpTestSuite() { ::setenv("KESVANE_SKIN_LIBRARY", KESVANE_RECORDING_ENGINE, 1); }

    void choose(const char* item) {
        QAction* action = window->menu_item(item);
        ASSERT_NE(action, nullptr) << item;
        EXPECT_FALSE(action->isCheckable()) << item;
        action->trigger();
    }
};

TEST_F(SkinMenuTest, EachItemMakesExactlyOneCallWithTheBlockAndPassword) {
    // Start-up loads no engine, and other menus do not either.
    EXPECT_EQ(loaded_engine(), nullptr);
    choose("帮助文件(&H)");
    EXPECT_EQ(loaded_engine(), nullptr);

    // "默认皮肤" right after start: the engine is loaded and detaches once.
    choose("默认皮肤");
    ASSERT_NE(loaded_engine(), nullptr);
    ASSERT_EQ(recorded_calls().size(), 1u);
    EXPECT_FALSE(recorded_calls()[0].attach);

    // One skin after another: two attaches, nothing in between.
    choose("皮肤-积木");
    choose("皮肤-火红中国");
    ASSERT_EQ(recorded_calls().size(), 3u);
    expect_attach(recorded_calls()[1], skin_blocks, skin_blocks_size, "blocks.skin");
    expect_attach(recorded_calls()[2], skin_red_china, skin_red_china_size, "red_china.skin");

    // Choosing the same skin again, then the default, calls again each time.
    choose("皮肤-火红中国");
    choose("默认皮肤");
    choose("默认皮肤");
    ASSERT_EQ(recorded_calls().size(), 6u);
    expect_attach(recorded_calls()[3], skin_red_china, skin_red_china_size, "red_china.skin");
    EXPECT_FALSE(recorded_calls()[4].attach);
    EXPECT_FALSE(recorded_calls()[5].attach);

    // Only the help item spoke; the engine's results are never shown.
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].title, "帮助");
}

} // namespace
} // namespace kesvane::testing
