#include "update_check.h"

namespace kesvane {

void start_update_check() {}
void visit_home_page() {}
void open_url(const std::string&) {}

} // namespace kesvane
