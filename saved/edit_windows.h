// The add and edit windows.
#pragma once

class QDialog;

namespace kesvane {

// The number (from 1) of the record that the edit window edits.
extern int edit_record_number;

// Menu "添加单号(&A)" and popup "添加单号": runs the add window.
void open_add_window();
// Popup "编辑单号" and a double click in the list: runs the edit window for
// the selected row, or says that none is selected.
void open_edit_window();

// `添加按钮` of an add window.
void add_saved_number(QDialog* window);
// The edit window's creation step: its boxes from record `edit_record_number`.
void load_edit_fields(QDialog* window);
// `编辑按钮` of an edit window.
void save_edited_number(QDialog* window);

// The add or edit window being shown, nullptr when none is (for tests).
QDialog* open_number_window();

} // namespace kesvane
