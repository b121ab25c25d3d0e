// Small helpers for tests that drive the real browser pane.
#pragma once

#include <QString>

namespace kesvane {
class StandinSites;
class WebEnginePane;
} // namespace kesvane

namespace kesvane::testing {

// The text of the page the pane shows now.
QString page_text(WebEnginePane& pane);

// Starts the stand-in sites and points the program's configuration at them.
bool start_standin_sites(StandinSites& sites);

// A loopback port that nothing listens on (it was free a moment ago).
int closed_port();

} // namespace kesvane::testing
