// Program-wide values set by the start-up sequence.
#pragma once

#include <string>

namespace kesvane {

// "1.2"; shown in the captions and compared by the update check.
inline std::string current_version;
// " 测试版 by Dorvanu" in GBK, leading blank included.
inline std::string caption_suffix;

// "Kesvane v" + current_version + caption_suffix, GBK.
std::string versioned_caption();

} // namespace kesvane
