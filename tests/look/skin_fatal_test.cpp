// A skin engine that cannot be found ends the program with a message naming
// the library and the entry point; until a skin item is chosen nothing is
// missed. Each case runs the program in a child process.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <string>

namespace {

struct FatalCase {
    const char* engine; // KESVANE_SKIN_LIBRARY
    const char* item;   // the skin item chosen after the help item
    int exit_code;      // 1 = ended by the missing piece
    const char* entry;  // the entry point the message names; nullptr = no message
};

class SkinFatalTest : public ::testing::TestWithParam<FatalCase> {};

TEST_P(SkinFatalTest, EndsWithAMessageNamingLibraryAndEntryPoint) {
    const FatalCase& c = GetParam();
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESVANE_SKIN_LIBRARY"), QString::fromUtf8(c.engine));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(KESVANE_FATAL_HELPER), {QString::fromUtf8(c.item)});
    ASSERT_TRUE(helper.waitForFinished(60000));
    const std::string out = helper.readAllStandardOutput().toStdString();
    SCOPED_TRACE(out + helper.readAllStandardError().toStdString());

    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(helper.exitCode(), c.exit_code);
    // The help item before the skin item worked as usual.
    const std::string help =
        "0|帮助|这么简单的软件不用帮助吧……\r\n\r\n自己先摸索吧，有问题请到主页留言！\n";
    ASSERT_EQ(out.substr(0, help.size()), help);
    const std::string rest = out.substr(help.size());
    if (c.entry == nullptr) {
        EXPECT_EQ(rest, "returned\n");
        return;
    }
    EXPECT_EQ(rest.rfind("16|Kesvane|", 0), 0u);
    const std::string file = std::string(c.engine).substr(std::string(c.engine).rfind('/') + 1);
    EXPECT_NE(rest.find(file), std::string::npos);
    EXPECT_NE(rest.find(c.entry), std::string::npos);
    EXPECT_EQ(rest.find("returned"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    , SkinFatalTest,
    ::testing::Values(FatalCase{"libSkivraMissing.so", "默认皮肤", 1, "Skivra_Detach"},
                      FatalCase{"libSkivraMissing.so", "皮肤-积木", 1, "Skivra_AttachRes"},
                      FatalCase{"libSkivraMissing.so", "皮肤-火红中国", 1, "Skivra_AttachRes"},
                      FatalCase{KESVANE_PARTIAL_ENGINE, "默认皮肤", 1, "Skivra_Detach"},
                      FatalCase{KESVANE_PARTIAL_ENGINE, "皮肤-积木", 0, nullptr}));

} // namespace
