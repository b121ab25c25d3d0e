// Pages of the sites that Kesvane opens in its result pane or reads as
// plain files: the publisher's site, the STO result page, kuaidi100's mobile
// and EMS pages and Taobao's mobile login. Each comes in the charset the
// real site used and declares it.
#pragma once

#include "reply.h"

#include <string_view>

namespace kesvane::standin {

// Publisher's site (GBK).
Reply home_page();
Reply welcome_page();
// The version file: plain text despite the .gif name.
Reply version_file(std::string_view version_reply);

// STO "/result.aspx?wen=" (GBK).
Reply sto_result_page(std::string_view number);

// kuaidi100 mobile "/wap_result.jsp" (UTF-8).
Reply kuaidi100_wap_result_page(std::string_view company_id, std::string_view number);

// kuaidi100 "/all/ems.shtml" (UTF-8): the number is typed on the page.
Reply kuaidi100_ems_page();

// Taobao mobile "/login/login.htm" (UTF-8); `redirect` is already decoded.
Reply taobao_login_page(std::string_view redirect);

Reply not_found_page(std::string_view path);

} // namespace kesvane::standin
