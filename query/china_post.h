// The China Post road with its captcha, and the Refresh-captcha button.
#pragma once

namespace kesvane {

void query_china_post();
void reload_china_post_captcha();
void refresh_captcha();

} // namespace kesvane
