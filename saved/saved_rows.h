// The rows of the saved-number list. The list keeps, per row, the bytes
// read from the store, so that writing it back gives the same bytes even
// where a stored text is not valid GBK (a field cut inside a two-byte
// character). Thousands of rows are shown without building thousands of
// cells first: the rows in view get their cells at once, the others in
// short slices while the program is idle. Read the rows through these
// functions, not through the list's cells.
#pragma once

#include "record_store.h"

#include <QString>

#include <string>
#include <vector>

class QTableWidget;

namespace kesvane {

// `超级列表框1`; nullptr without a main window.
QTableWidget* saved_list();

// The selected row, -1 when no row is selected.
int selected_saved_row();

// The stored bytes of a cell; empty outside the rows.
std::string saved_cell(QTableWidget* list, int row, int column);
TrackingRecord saved_row(QTableWidget* list, int row);
std::vector<TrackingRecord> saved_rows(QTableWidget* list);

// Replaces all rows of the list by `records`, row r showing records[r].
// No row is selected afterwards; column widths and header pictures stay.
void show_saved_rows(QTableWidget* list, std::vector<TrackingRecord> records);

// Puts the rows in the order `order` gives (new row i shows old row
// order[i]); a selected row stays selected.
void reorder_saved_rows(QTableWidget* list, const std::vector<int>& order);

// The texts of one column, as shown.
std::vector<QString> saved_column_texts(QTableWidget* list, int column);

// Gives every row its cells now instead of in idle time.
void finish_saved_rows(QTableWidget* list);

// Writes the list's rows to the open store in display order with one
// whole-store rewrite. Records beyond the list's rows (added by another
// program since the list was filled) are kept after them.
bool rewrite_store_from_list(QTableWidget* list);

} // namespace kesvane
