// The editable text form of a skin, read by the packer.
//
//   # a comment (not inside [rules])
//   [skin]       name = ..., base = Fusion
//   [colors]     named colours, used anywhere below as @name
//   [palette]    Role = colour, or Group.Role = colour (Active, Inactive, Disabled)
//   [metrics]    Name = pixels; Indicator = native | block | seal
//   [accents]    Name = colour, for what the engine paints itself
//   [rules]      style-sheet rules up to the end of the file, @names replaced
//
// Colours are #rrggbb or #rrggbbaa.
#pragma once

#include "skin_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

struct SourceError {
    int line = 0; // 1-based; 0 when the error concerns the whole source
    std::string message;
};

std::optional<Skin> parse_skin_source(std::string_view text, SourceError& error);

// The names used in sources, for messages and tests.
const char* color_role_name(ColorRole role);
const char* metric_name(Metric metric);
const char* accent_name(Accent accent);

} // namespace skivra
