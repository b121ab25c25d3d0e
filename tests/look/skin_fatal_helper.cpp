// Runs the main window with the skin engine named by KESVANE_SKIN_LIBRARY,
// chooses the help item and then the menu items given on the command line,
// and prints every message box as "flags|title|text" (UTF-8). Ends with
// "returned" and status 0 when every item came back.
#include "main_window.h"
#include "message_box.h"
#include "recording_pane.h"
#include "temp_run_dir.h"

#include "gbk_codec.h"

#include <QAction>
#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kesvane::set_message_box_responder([](const kesvane::MessageBoxCall& call) {
        std::printf("%d|%s|%s\n", call.flags, kesvane::gbk_to_utf8(call.title).c_str(),
                    kesvane::gbk_to_utf8(call.text).c_str());
        std::fflush(stdout);
        return true;
    });
    kesvane::testing::TempRunDir run_dir;
    auto* window = new kesvane::MainWindow(std::make_unique<kesvane::testing::RecordingPane>());
    window->menu_item("帮助文件(&H)")->trigger();
    for (int i = 1; i < argc; ++i) {
        QAction* item = window->menu_item(argv[i]);
        if (item == nullptr) {
            std::printf("no item %s\n", argv[i]);
            return 2;
        }
        item->trigger();
    }
    std::printf("returned\n");
    delete window;
    return 0;
}
