// Small text helpers for building the stand-in pages.
#pragma once

#include <string>
#include <string_view>

namespace kesvane::standin {

// Escapes what would otherwise be taken for markup, so that a number typed
// by the user shows as typed and cannot inject anything into a page.
std::string html_escape(std::string_view text);

// ASCII letters only.
std::string upper_ascii(std::string_view text);
bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);
bool starts_with_ignoring_ascii_case(std::string_view text, std::string_view prefix);

} // namespace kesvane::standin
