// The two sort pictures of the saved list's header as pixel rows:
// 'G' grey (127, 127, 127), 'W' white, '.' transparent.
#pragma once

#include <array>

namespace kesvane {

inline constexpr int kHeaderPictureWidth = 8;
inline constexpr int kHeaderPictureHeight = 7;

using HeaderPictureRows = std::array<const char*, kHeaderPictureHeight>;

// Picture 0 points up (ascending), picture 1 down (descending).
const HeaderPictureRows& header_picture_rows(int picture);

} // namespace kesvane
