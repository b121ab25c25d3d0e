#include "api_road.h"

namespace kesvane {

void start_api_road(const std::string&) {}
void stop_query() {}
void end_worker_at_shutdown() {}

} // namespace kesvane
