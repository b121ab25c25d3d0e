// main() for tests that need a QApplication (widgets and the browser pane).
#include "web_engine_pane.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    kesvane::WebEnginePane::register_local_scheme();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
