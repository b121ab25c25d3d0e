#include "sort_state.h"

namespace kesvane {

HeaderClick click_header(SortState& state, int column, int row_count) {
    HeaderClick click;
    state.sort_ascending = !state.sort_ascending;
    click.ascending = state.sort_ascending;
    if (row_count <= 0) {
        return click;
    }
    click.sort = true;
    if (column != state.sorted_column) {
        click.remove_picture_from = state.sorted_column;
        state.sorted_column = column;
    }
    click.picture_column = column;
    click.picture = state.sort_ascending ? 0 : 1;
    return click;
}

} // namespace kesvane
