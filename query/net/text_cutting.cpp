// cut_between; utf8_to_local lives in utf8_to_local.cpp.

#include <string_view>

#include "gbk_text.h"
#include "text_cutting.h"

namespace kesvane {

std::string cut_between(std::string_view text, std::string_view start_marker,
                        std::string_view end_marker) {
    // Positions are 1-based and -1 stands for a marker that is missing; the
    // arithmetic is kept as it is, so a missing start marker still gives a
    // piece ending before the end marker.
    const long long start = find_text(text, start_marker);
    const long long end = find_text(text, end_marker);
    const auto marker_length = static_cast<long long>(start_marker.size());
    const long long piece_at = start + marker_length;
    long long piece_length = end - start - marker_length;
    const auto text_length = static_cast<long long>(text.size());
    if (piece_at < 1 || piece_at > text_length || piece_length <= 0) {
        return {};
    }
    if (piece_at - 1 + piece_length > text_length) {
        piece_length = text_length - (piece_at - 1);
    }
    return std::string(text.substr(static_cast<std::size_t>(piece_at - 1),
                                   static_cast<std::size_t>(piece_length)));
}

} // namespace kesvane
