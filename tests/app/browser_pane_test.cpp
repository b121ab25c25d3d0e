// The real browser pane against the stand-in sites.
#include "config.h"
#include "gbk_codec.h"
#include "main_window.h"
#include "message_recorder.h"
#include "qt_text.h"
#include "standin_sites.h"
#include "temp_run_dir.h"
#include "wait.h"
#include "web_engine_pane.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include "browser_helpers.h"

#include <csignal>
#include <filesystem>

namespace kesvane::testing {
namespace {

class BrowserPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(start_standin_sites(sites));
        run_dir = std::make_unique<TempRunDir>();
    }

    void TearDown() override {
        delete window;
        run_dir.reset();
        sites.stop();
    }

    void open_window() {
        window = new MainWindow(std::make_unique<WebEnginePane>());
        pane = static_cast<WebEnginePane*>(&window->pane());
        window->show();
    }

    QPushButton* query_button() const { return main_control<QPushButton>("快递查询"); }

    bool wait_for_load() {
        return wait_until([&] { return query_button()->isEnabled(); }, 15000);
    }

    StandinSites sites;
    std::unique_ptr<TempRunDir> run_dir;
    MessageRecorder messages;
    MainWindow* window = nullptr;
    WebEnginePane* pane = nullptr;
};

TEST_F(BrowserPaneTest, WelcomePageLoadsAtStartAndGivesQueryBack) {
    open_window();
    query_button()->setEnabled(false);
    ASSERT_TRUE(wait_for_load());
    EXPECT_TRUE(
        sites.wait_for_request("/soft/welcome.html", std::chrono::milliseconds(10000)).has_value());
    EXPECT_TRUE(page_text(*pane).contains(QStringLiteral("Kesvane")));
}

TEST_F(BrowserPaneTest, StoQueryShowsTheStoPage) {
    open_window();
    ASSERT_TRUE(wait_for_load());
    auto* couriers = main_control<QListWidget>("选择列表框1");
    couriers->item(2)->setCheckState(Qt::Checked);
    couriers->setCurrentRow(2);
    main_control<QLineEdit>("单号")->setText(QStringLiteral("268123456789"));
    QTest::mouseClick(query_button(), Qt::LeftButton);
    ASSERT_FALSE(query_button()->isEnabled());
    ASSERT_TRUE(wait_for_load());
    EXPECT_EQ(pane->view()->url().path(), QStringLiteral("/result.aspx"));
    const QString text = page_text(*pane);
    EXPECT_TRUE(text.contains(QStringLiteral("268123456789"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("申通"))) << text.toStdString();
}

TEST_F(BrowserPaneTest, FailedLoadStillGivesQueryBack) {
    ::setenv("KESVANE_STO_QUERY_URL", ("http://127.0.0.1:" + std::to_string(closed_port())).c_str(),
             1);
    reload_config();
    open_window();
    ASSERT_TRUE(wait_for_load());
    auto* couriers = main_control<QListWidget>("选择列表框1");
    couriers->item(2)->setCheckState(Qt::Checked);
    couriers->setCurrentRow(2);
    main_control<QLineEdit>("单号")->setText(QStringLiteral("1"));
    QTest::mouseClick(query_button(), Qt::LeftButton);
    EXPECT_TRUE(wait_for_load());
}

TEST_F(BrowserPaneTest, ShortGbkPageWithoutCharsetShowsItsChinese) {
    open_window();
    ASSERT_TRUE(wait_for_load());
    const std::string path = run_dir->report_file();
    write_file(path, gbk("<p>中通快递 已签收</p>"));
    query_button()->setEnabled(false);
    pane->navigate(path);
    ASSERT_TRUE(wait_for_load());
    EXPECT_EQ(page_text(*pane), QString::fromUtf8("中通快递 已签收"));
}

TEST_F(BrowserPaneTest, LocalPageCannotReadOtherLocalFiles) {
    open_window();
    ASSERT_TRUE(wait_for_load());
    const std::string secret = (run_dir->path() / "secret.txt").string();
    write_file(secret, "SECRET-CONTENT");
    const std::string path = run_dir->report_file();
    write_file(path, "<iframe src=\"file://" + secret +
                         "\"></iframe><iframe src=\"kesvane-page:" + secret + "\"></iframe>ok");
    query_button()->setEnabled(false);
    pane->navigate(path);
    ASSERT_TRUE(wait_for_load());
    QString frames;
    bool done = false;
    pane->view()->page()->runJavaScript(
        QStringLiteral("Array.from(document.querySelectorAll('iframe')).map(f => { try { return "
                       "f.contentDocument ? f.contentDocument.body.innerText : 'blocked'; } catch "
                       "(e) { return 'blocked'; } }).join('|')"),
        [&](const QVariant& value) {
            frames = value.toString();
            done = true;
        });
    ASSERT_TRUE(wait_until([&] { return done; }));
    EXPECT_FALSE(frames.contains(QStringLiteral("SECRET-CONTENT"))) << frames.toStdString();
}

TEST_F(BrowserPaneTest, ShownPagePrintsIntoAPdfWithItsText) {
    open_window();
    ASSERT_TRUE(wait_for_load());
    const std::string path = run_dir->report_file();
    write_file(path, gbk("<h1>Kesvane report</h1><p>韵达 派送中</p>"));
    query_button()->setEnabled(false);
    pane->navigate(path);
    ASSERT_TRUE(wait_for_load());

    const QString pdf = QString::fromStdString((run_dir->path() / "page.pdf").string());
    bool printed = false;
    bool ok = false;
    QObject::connect(pane, &WebEnginePane::pdfPrinted, [&](bool result) {
        printed = true;
        ok = result;
    });
    pane->print_to_pdf(pdf);
    ASSERT_TRUE(wait_until([&] { return printed; }, 15000));
    ASSERT_TRUE(ok);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(10000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Kesvane report"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("韵达"))) << text.toStdString();
}

TEST_F(BrowserPaneTest, PaneCommandsDoNothingBeforeADocumentExists) {
    WebEnginePane fresh;
    // Would open a modal dialog and hang the test if it did anything.
    fresh.command(2003);
    fresh.command(2004);
    fresh.command(27);
    SUCCEED();
}

TEST_F(BrowserPaneTest, TerminateSignalRunsTheShutdown) {
    write_file(run_dir->report_file(), "page of an earlier run");
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMP"),
                       QString::fromStdString((run_dir->path() / "temp").string()));
    program.setProcessEnvironment(environment);
    // The program keeps its store beside itself; copy it into the run folder.
    const auto copy = run_dir->path() / "kesvane";
    std::filesystem::copy_file(KESVANE_BINARY, copy);
    program.start(QString::fromStdString(copy.string()), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(
        sites.wait_for_request("/soft/welcome.html", std::chrono::milliseconds(20000)).has_value());
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(run_dir->report_file()));
    EXPECT_EQ(std::filesystem::file_size(run_dir->path() / "Danhao.edb"), 332u);
}

} // namespace
} // namespace kesvane::testing
