// Conversion between GBK bytes and Unicode, through ICU's windows-936
// converter so that the results match what Windows produces for code page 936.
#pragma once

#include <string>
#include <string_view>

namespace kesvane {

// GBK bytes to UTF-16; undecodable bytes become U+FFFD.
std::u16string gbk_to_utf16(std::string_view gbk);

// UTF-16 to GBK; what GBK cannot hold becomes '?'.
std::string utf16_to_gbk(std::u16string_view text);

// UTF-8 to GBK (bad UTF-8 becomes U+FFFD, then '?').
std::string utf8_to_gbk(std::string_view utf8);

// GBK to UTF-8, for logs and tests.
std::string gbk_to_utf8(std::string_view gbk);

// The program's own Chinese texts are written as UTF-8 in the sources;
// gbk("...") gives their GBK bytes.
inline std::string gbk(std::string_view utf8) {
    return utf8_to_gbk(utf8);
}

} // namespace kesvane
