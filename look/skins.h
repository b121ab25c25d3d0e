// The "皮肤(&S)" menu items.
#pragma once

namespace kesvane {

void choose_default_skin();
void choose_skin_red_china();
void choose_skin_blocks();

} // namespace kesvane
