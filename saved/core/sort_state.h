// What a click on a column header of the saved list does to the sort
// direction and to the header pictures.
#pragma once

namespace kesvane {

struct SortState {
    bool sort_ascending = false; // direction of the latest sort
    int sorted_column = 0;       // the column that carries (or would carry) the picture
};

struct HeaderClick {
    bool sort = false; // whether rows are sorted (there are rows)
    bool ascending = false;
    int remove_picture_from = -1; // the column that loses its picture, -1 for none
    int picture_column = -1;      // the column that gets a picture, -1 for none
    int picture = -1;             // 0: upward triangle, 1: downward triangle
};

// The direction flips at every click, whichever column, also on an empty
// list; pictures change only when there are rows to sort.
HeaderClick click_header(SortState& state, int column, int row_count);

} // namespace kesvane
