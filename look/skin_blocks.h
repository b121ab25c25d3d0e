// The two built-in skins: packed blocks for the skin engine, generated at
// build time from the sources in skins/. The program never looks inside.
#pragma once

#include <cstdint>

namespace kesvane {

extern const unsigned char skin_blocks[];    // "皮肤-积木"
extern const std::int32_t skin_blocks_size;  // the block's full size in bytes
extern const unsigned char skin_red_china[]; // "皮肤-火红中国"
extern const std::int32_t skin_red_china_size;

// The one-character password both blocks are locked with.
extern const char skin_password[];

} // namespace kesvane
