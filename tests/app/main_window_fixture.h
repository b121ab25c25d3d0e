// A main window on a recording pane, in a temporary run folder, with every
// message box answered by the test.
#pragma once

#include "main_window.h"
#include "message_recorder.h"
#include "qt_text.h"
#include "recording_pane.h"
#include "temp_run_dir.h"
#include "wait.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace kesvane::testing {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        run_dir = std::make_unique<TempRunDir>();
        messages = std::make_unique<MessageRecorder>();
        window = new MainWindow(std::make_unique<RecordingPane>());
        pane = static_cast<RecordingPane*>(&window->pane());
        window->show();
    }

    void TearDown() override {
        delete window;
        messages.reset();
        run_dir.reset();
    }

    QLineEdit* number_box() const { return main_control<QLineEdit>("单号"); }
    QLineEdit* captcha_box() const { return main_control<QLineEdit>("验证码输入"); }
    QListWidget* couriers() const { return main_control<QListWidget>("选择列表框1"); }
    QPushButton* query_button() const { return main_control<QPushButton>("快递查询"); }
    QPushButton* refresh_button() const { return main_control<QPushButton>("刷新验证码"); }

    // Ticks courier `index` (and makes it current) as a click on its box would.
    void tick(int index, bool make_current = true) const {
        couriers()->item(index)->setCheckState(Qt::Checked);
        if (make_current) {
            couriers()->setCurrentRow(index);
        }
    }

    std::unique_ptr<TempRunDir> run_dir;
    std::unique_ptr<MessageRecorder> messages;
    MainWindow* window = nullptr;
    RecordingPane* pane = nullptr;
};

} // namespace kesvane::testing
