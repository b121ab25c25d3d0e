#include "browser_helpers.h"

#include "config.h"
#include "standin_sites.h"
#include "wait.h"
#include "web_engine_pane.h"

#include <QWebEnginePage>

namespace kesvane::testing {

QString page_text(WebEnginePane& pane) {
    QString text;
    bool done = false;
    pane.view()->page()->toPlainText([&](const QString& result) {
        text = result;
        done = true;
    });
    wait_until([&] { return done; }, 5000);
    return text;
}

bool start_standin_sites(StandinSites& sites) {
    if (!sites.start()) {
        return false;
    }
    sites.export_environment();
    reload_config();
    return true;
}

int closed_port() {
    StandinSites probe;
    probe.start();
    const int port = probe.port();
    probe.stop();
    return port;
}

} // namespace kesvane::testing
