// A result pane that records what the program asks of it, for widget tests
// that need no browser.
#pragma once

#include "result_pane.h"

#include <QWidget>

#include <string>
#include <vector>

namespace kesvane::testing {

class RecordingPane : public ResultPane {
    Q_OBJECT

public:
    RecordingPane();
    ~RecordingPane() override;

    QWidget* widget() override { return widget_; }
    void navigate(const std::string& target) override { navigations.push_back(target); }
    void stop() override { ++stops; }
    void command(int id) override { commands.push_back(id); }

    // What the browser would report at the end of a load.
    void finish_load() { emit downloadComplete(); }
    void show_status(const QString& text) { emit statusTextChanged(text); }

    std::vector<std::string> navigations;
    std::vector<int> commands;
    int stops = 0;

private:
    QWidget* widget_;
};

} // namespace kesvane::testing
