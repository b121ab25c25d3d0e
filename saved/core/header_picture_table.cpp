#include "header_picture_table.h"

namespace kesvane {

namespace {

constexpr HeaderPictureRows kUpward{
    "...GW...", "..G..W..", "..G..W..", ".G....W.", ".G....W.", "G......W", "GGGGGGGW",
};

constexpr HeaderPictureRows kDownward{
    "GGGGGGGW", "G......W", ".G....W.", ".G....W.", "..G..W..", "..G..W..", "...GW...",
};

} // namespace

const HeaderPictureRows& header_picture_rows(int picture) {
    return picture == 0 ? kUpward : kDownward;
}

} // namespace kesvane
