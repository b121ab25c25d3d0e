// The sort and drag state of the saved list. It lives as long as the list,
// so that every run of the main window starts from the initial state.
#pragma once

#include "drag_state.h"
#include "sort_state.h"

class QTableWidget;

namespace kesvane {

struct SavedListState {
    SortState sort;
    DragState drag;
};

// The state of `list`, created on first use.
SavedListState& saved_list_state(QTableWidget* list);

} // namespace kesvane
