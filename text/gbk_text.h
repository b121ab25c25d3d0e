// Helpers for text held as GBK bytes. Positions are 1-based byte positions,
// a search that finds nothing yields -1, searches ignore the case of ASCII
// letters and match only where a GBK character starts.
#pragma once

#include <string>
#include <string_view>

namespace kesvane {

// A byte that opens a two-byte GBK character.
inline bool is_gbk_lead_byte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Bytes up to, not including, the first zero byte.
std::string_view until_first_zero(std::string_view bytes);

// 1-based position of the first occurrence of `needle` that starts at a
// character boundary at or after position `from`; -1 when there is none.
// An empty needle is found at `from` of any non-empty text.
int find_text(std::string_view haystack, std::string_view needle, int from = 1);

bool contains_text(std::string_view haystack, std::string_view needle);
bool starts_with_text(std::string_view text, std::string_view prefix);
bool equals_text(std::string_view a, std::string_view b);

// Removes ASCII spaces and the ideographic space (A1 A1) at both ends; tabs stay.
std::string trim_blanks(std::string_view text);

// ASCII letters only; the bytes of two-byte characters are left alone.
std::string ascii_lower(std::string_view text);
std::string ascii_upper(std::string_view text);

// Reads the leading decimal number of a text the way the old runtime did:
// blanks are skipped, then an optional sign, digits and one decimal point.
// A text without a number reads as 0.
double leading_number(std::string_view text);

} // namespace kesvane
