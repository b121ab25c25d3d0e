#include "sort_drag.h"

#include "row_order.h"
#include "saved_list.h"
#include "saved_list_state.h"
#include "saved_rows.h"

#include "record_store.h"
#include "store_location.h"

#include <QGuiApplication>
#include <QTableWidget>

#include <numeric>

namespace kesvane {

bool left_button_down_now() {
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

void begin_row_drag() {
    QTableWidget* list = saved_list();
    if (list == nullptr) {
        return;
    }
    begin_drag(saved_list_state(list).drag);
    // The list then selects the row under the pointer. A press that misses
    // the rows must leave none selected, as in the list the program was made
    // for; Qt would keep the previous selection.
    list->clearSelection();
}

void track_row_drag(int x, int y) {
    QTableWidget* list = saved_list();
    if (list == nullptr) {
        return;
    }
    DragState& state = saved_list_state(list).drag;
    if (state.drag_target == 0) {
        return;
    }
    const QPoint at(x, y);
    const QModelIndex hit = list->indexAt(at);
    PointerSample sample;
    sample.left_button_down = left_button_down_now();
    sample.in_list = list->viewport()->rect().contains(at);
    sample.selected_row = selected_saved_row();
    sample.hit_row = hit.isValid() ? hit.row() : -1;
    sample.row_count = list->rowCount();
    const TrackStep step = track_drag(state, sample);
    if (!step.act) {
        return;
    }
    if (step.ended) {
        list->viewport()->unsetCursor();
        return;
    }
    if (step.move_pointer) {
        list->viewport()->setCursor(Qt::SizeAllCursor);
    }
    if (step.select_row >= 0) {
        list->selectRow(step.select_row);
    } else {
        list->clearSelection();
    }
    if (step.scroll_to_row >= 0) {
        list->scrollTo(list->model()->index(step.scroll_to_row, 0),
                       QAbstractItemView::EnsureVisible);
    }
}

void drop_dragged_row() {
    QTableWidget* list = saved_list();
    if (list == nullptr) {
        return;
    }
    const DropStep step = drop_drag(saved_list_state(list).drag);
    if (!step.move) {
        return;
    }
    list->viewport()->unsetCursor();
    std::vector<int> order(static_cast<size_t>(list->rowCount()));
    std::iota(order.begin(), order.end(), 0);
    move_element(order, step.from, step.to);
    reorder_saved_rows(list, order);

    open_store(store_path());
    rewrite_store_from_list(list);
    close_store();
    reload_saved_list();
}

} // namespace kesvane
