#include "sort_drag.h"

#include "header_pictures.h"
#include "row_order.h"
#include "saved_list_state.h"
#include "saved_rows.h"

#include "record_store.h"
#include "store_location.h"

#include <QTableWidget>

namespace kesvane {

void sort_by_column(int column) {
    QTableWidget* list = saved_list();
    if (list == nullptr || column < 0 || column >= list->columnCount()) {
        return;
    }
    const HeaderClick click = click_header(saved_list_state(list).sort, column, list->rowCount());
    if (click.sort) {
        reorder_saved_rows(
            list, collated_order(saved_column_texts(list, column), click.ascending, QLocale()));
        if (click.remove_picture_from >= 0) {
            list->horizontalHeaderItem(click.remove_picture_from)->setIcon(QIcon());
        }
        list->horizontalHeaderItem(click.picture_column)->setIcon(header_picture(click.picture));
    }

    open_store(store_path());
    // An empty list may only mean that the store could not be read when it
    // was filled: it never empties the store.
    if (list->rowCount() > 0) {
        rewrite_store_from_list(list);
    }
    close_store();
}

} // namespace kesvane
