#include "skins.h"

#include "skin_blocks.h"
#include "skin_engine.h"

namespace kesvane {

// Each item makes one call and ignores its result: the engine keeps the
// look as it was when it cannot use a block.

void choose_default_skin() {
    skivra_detach();
}

void choose_skin_red_china() {
    skivra_attach_res(skin_red_china, skin_red_china_size, skin_password, 0, 0, 0);
}

void choose_skin_blocks() {
    skivra_attach_res(skin_blocks, skin_blocks_size, skin_password, 0, 0, 0);
}

} // namespace kesvane
