// The update check against the publisher's site, and the home page.
#pragma once

#include <string>

namespace kesvane {

// Menu "检查更新(&U)": starts check_for_update on a worker thread.
void start_update_check();
// Menu "访问主页(&V)" and the About window's button.
void visit_home_page();
// Opens `url` in the desktop's default browser.
void open_url(const std::string& url);

} // namespace kesvane
