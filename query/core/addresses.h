// The fixed addresses the program builds. Numbers go in as typed: only bytes
// that cannot stand in a request line are escaped later, by the HTTP routine
// or the browser.
#pragma once

#include <string>

namespace kesvane {

std::string sto_result_address(const std::string& number);
std::string sf_result_address(const std::string& number);
std::string ems_page_address();
std::string api_request_address(const std::string& company_code, const std::string& number);
std::string welcome_address();
std::string version_file_address();
std::string taobao_bought_items_address();

} // namespace kesvane
