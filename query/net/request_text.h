// Making caller texts safe to put into a request: numbers and codes go into
// addresses as typed (so "&" still splits fields), and only what could not
// stand in a request line or a header line at all is escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kesvane {

// Percent-encodes spaces, control bytes and "#" (which would cut the rest of
// the address off as a fragment); every other byte stays as it is.
std::string escape_for_request_line(std::string_view address);

// Percent-encodes control bytes, so that a value cannot break its header line
// into two.
std::string escape_for_header_value(std::string_view value);

// "Name: value", or "Name;" for an empty value (libcurl sends that as the
// empty header line "Name:", whereas "Name:" alone would drop the header).
std::string header_line(std::string_view name, std::string_view value);

// The lines of a header block, split at CR and LF; empty lines are dropped.
// A line "Name:" with no value is written "Name;", which libcurl sends as an
// empty header line instead of taking it as an order to drop the header.
std::vector<std::string> split_header_block(std::string_view block);

} // namespace kesvane
