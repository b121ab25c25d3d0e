#include "china_post.h"

namespace kesvane {

void query_china_post() {}
void reload_china_post_captcha() {}
void refresh_captcha() {}

} // namespace kesvane
