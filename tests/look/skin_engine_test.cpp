// The real skin engine, loaded by the program's own loader: a skin changes
// what windows look like, a detach brings back exactly the look before, and
// a block the engine cannot use changes nothing.
#include "skin_blocks.h"
#include "skin_engine.h"
#include "skins.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

class SkinEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::unsetenv("KESVANE_SKIN_LIBRARY"); }

    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(240, 120);
        button = new QPushButton(QStringLiteral("Query"), window.get());
        button->setGeometry(10, 10, 100, 40);
        auto* edit = new QLineEdit(QStringLiteral("1234"), window.get());
        edit->setGeometry(120, 10, 100, 24);
        auto* group = new QGroupBox(QStringLiteral("Group"), window.get());
        group->setGeometry(10, 60, 220, 50);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override { kesvane::choose_default_skin(); }

    static QImage look_of(QWidget* widget) {
        QCoreApplication::processEvents();
        return widget->grab().toImage();
    }
    QImage look() const { return look_of(window.get()); }
    QRgb button_pixel() const { return look_of(button).pixel(50, 20); }

    std::unique_ptr<QWidget> window;
    QPushButton* button = nullptr;
};

TEST_F(SkinEngineTest, SkinsRestyleEveryWindowAndDetachBringsBackTheLookExactly) {
    const QImage plain = look();
    const QRgb plain_button = button_pixel();
    QStyle* plain_style = QApplication::style();
    const QPalette plain_palette = QApplication::palette();
    QMessageBox plain_box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("text"));
    plain_box.show();
    const QImage plain_box_look = look_of(&plain_box);
    plain_box.hide();

    kesvane::choose_skin_blocks();
    const QImage blocks = look();
    EXPECT_NE(blocks, plain);
    EXPECT_NE(button_pixel(), plain_button);
    // A window made while the skin is on wears it too.
    QMessageBox skinned_box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("text"));
    skinned_box.show();
    EXPECT_NE(look_of(&skinned_box), plain_box_look);
    skinned_box.hide();

    // Straight to the other skin, no detach between.
    kesvane::choose_skin_red_china();
    const QImage red = look();
    EXPECT_NE(red, plain);
    EXPECT_NE(red, blocks);
    EXPECT_NE(button_pixel(), plain_button);

    kesvane::choose_default_skin();
    EXPECT_EQ(look(), plain);
    EXPECT_EQ(button_pixel(), plain_button);
    EXPECT_EQ(QApplication::style(), plain_style); // the very same style object
    EXPECT_EQ(QApplication::palette(), plain_palette);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());

    // A detach with no skin on changes nothing; a skin can be put on again.
    kesvane::choose_default_skin();
    EXPECT_EQ(look(), plain);
    kesvane::choose_skin_blocks();
    EXPECT_EQ(look(), blocks);
    kesvane::choose_default_skin();
    EXPECT_EQ(look(), plain);
}

TEST_F(SkinEngineTest, TheHostsOwnStyleSheetComesBackAfterDetach) {
    const QString host_sheet = QStringLiteral("QPushButton { color: rgb(0, 128, 0); }");
    qApp->setStyleSheet(host_sheet);
    const QImage hosted = look();

    kesvane::choose_skin_red_china();
    EXPECT_NE(look(), hosted);
    kesvane::choose_default_skin();
    EXPECT_EQ(qApp->styleSheet(), host_sheet);
    EXPECT_EQ(look(), hosted);
    qApp->setStyleSheet(QString());
}

struct BadBlock {
    const char* what;
    std::vector<unsigned char> bytes;
    std::int32_t length;
    const char* password;
    bool null_data = false;
};

std::vector<BadBlock> bad_blocks() {
    std::vector<unsigned char> block(kesvane::skin_blocks,
                                     kesvane::skin_blocks + kesvane::skin_blocks_size);
    const std::int32_t size = kesvane::skin_blocks_size;
    auto changed = [&block](std::size_t at, unsigned char value) {
        std::vector<unsigned char> copy = block;
        copy[at] = value;
        return copy;
    };
    std::vector<unsigned char> longer = block;
    longer.push_back(0);
    const char* password = kesvane::skin_password;
    return {
        {"wrong signature", changed(0, 'X'), size, password},
        {"signature only", block, 4, password},
        {"one byte short", block, size - 1, password},
        {"one byte long", longer, size + 1, password},
        {"no bytes", block, 0, password},
        {"negative length", block, -1, password},
        {"wrong password", block, size, "k"},
        {"empty password", block, size, ""},
        {"longer password", block, size, "KK"},
        {"payload changed", changed(size / 2, block[size / 2] ^ 0x20), size, password},
        {"checksum changed", changed(12, block[12] ^ 1), size, password},
        {"no data", block, size, password, true},
    };
}

TEST_F(SkinEngineTest, ABlockTheEngineCannotUseLeavesTheLookUnchanged) {
    const std::vector<BadBlock> blocks = bad_blocks();
    for (const bool skinned : {false, true}) {
        if (skinned) {
            kesvane::choose_skin_blocks();
        }
        const QImage before = look();
        QStyle* style = QApplication::style();
        for (const BadBlock& bad : blocks) {
            SCOPED_TRACE(std::string(bad.what) + (skinned ? " over a skin" : ""));
            const std::int32_t result = kesvane::skivra_attach_res(
                bad.null_data ? nullptr : bad.bytes.data(), bad.length, bad.password, 0, 0, 0);
            EXPECT_LT(result, 0);
            EXPECT_EQ(QApplication::style(), style);
            EXPECT_EQ(look(), before);
        }
    }
    EXPECT_EQ(kesvane::skivra_attach_res(kesvane::skin_blocks, kesvane::skin_blocks_size, nullptr,
                                         0, 0, 0),
              -1);
}

// The engine works only on the GUI thread; from any other it refuses.
TEST_F(SkinEngineTest, ACallFromAnotherThreadChangesNothing) {
    // Both entry points are bound here first, so that the loader is not
    // raced from two threads.
    kesvane::choose_default_skin();
    EXPECT_LT(kesvane::skivra_attach_res(nullptr, 0, "", 0, 0, 0), 0);
    const QImage before = look();
    std::int32_t attached = 0;
    std::int32_t detached = 0;
    std::thread worker([&] {
        attached = kesvane::skivra_attach_res(kesvane::skin_blocks, kesvane::skin_blocks_size,
                                              kesvane::skin_password, 0, 0, 0);
        detached = kesvane::skivra_detach();
    });
    worker.join();
    EXPECT_LT(attached, 0);
    EXPECT_LT(detached, 0);
    EXPECT_EQ(look(), before);
}

} // namespace
