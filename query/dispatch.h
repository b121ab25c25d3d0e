// The Query operation: checks the number and the courier choice, saves the
// number when automatic saving is on, and sends the query down one road.
#pragma once

namespace kesvane {

void run_query();

} // namespace kesvane
