// The icons are compiled into the GUI library, which needs them registered.
#pragma once

namespace kesvane {

void init_resources();

} // namespace kesvane
