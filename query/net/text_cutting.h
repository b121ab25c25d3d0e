// Reply text handling: UTF-8 to the local code page and cutting a piece out
// from between two markers.
#pragma once

#include <string>
#include <string_view>

namespace kesvane {

// UTF-8 bytes (up to the first zero byte) to GBK; bad UTF-8 becomes U+FFFD
// and then '?', as does whatever GBK cannot hold.
std::string utf8_to_local(std::string_view utf8);

// The piece between the first start marker and the first end marker (both
// searched from the text's beginning, ASCII case ignored, at GBK character
// boundaries), with the old runtime's arithmetic for missing markers.
std::string cut_between(std::string_view text, std::string_view start_marker,
                        std::string_view end_marker);

} // namespace kesvane
