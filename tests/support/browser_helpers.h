// Small helpers for tests that drive the real browser pane.
#pragma once

#include <QString>

namespace kesvane {
class WebEnginePane;
}

namespace kesvane::testing {

// The text of the page the pane shows now.
QString page_text(WebEnginePane& pane);

// A loopback port that nothing listens on (it was free a moment ago).
int closed_port();

} // namespace kesvane::testing
