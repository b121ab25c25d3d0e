// The API road of a query: a worker thread asks the kuaidi100 API, writes the
// report page and shows it. Also the Stop button and the end of the worker at
// shutdown.
#pragma once

#include <string>

namespace kesvane {

// Starts a worker for `company_code`; the worker goes into worker_slot.
void start_api_road(const std::string& company_code);
// Handler of the Stop button.
void stop_query();
// Shutdown: ends the worker in worker_slot at once and releases it.
void end_worker_at_shutdown();

} // namespace kesvane
