// What the China Post road sends and shows: the addresses of the form and the
// captcha pictures, the form body, the two texts around the result in the
// site's reply, and the page built around the cut result.
#pragma once

#include <string>
#include <string_view>

namespace kesvane {

std::string china_post_query_address();
std::string china_post_captcha_address();
std::string ems_captcha_address();

// Fields in the site's order; number and code go in as typed, so an "&" or
// "=" in them splits the fields.
std::string china_post_form_body(const std::string& number, const std::string& code);

std::string_view china_post_start_marker();
std::string_view china_post_end_marker();

// Page header, the cut piece and the page footer, GBK bytes.
std::string china_post_report_page(const std::string& piece);

} // namespace kesvane
