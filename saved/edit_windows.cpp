#include "edit_windows.h"

#include "number_window.h"
#include "saved_list.h"
#include "saved_rows.h"

#include "message_box.h"
#include "record_store.h"
#include "store_location.h"

#include "gbk_codec.h"
#include "gbk_text.h"
#include "qt_text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace kesvane {

int edit_record_number = 0;

namespace {

QPointer<QDialog> shown_window;

QLineEdit* number_box(QDialog* window) {
    return find_control<QLineEdit>(window, "编辑框_单号");
}
QComboBox* courier_box(QDialog* window) {
    return find_control<QComboBox>(window, "组合框1");
}
QPlainTextEdit* note_box(QDialog* window) {
    return find_control<QPlainTextEdit>(window, "编辑框_备注");
}

void run_window(QDialog* window) {
    const std::unique_ptr<QDialog> owned(window);
    shown_window = window;
    window->exec();
    shown_window = nullptr;
}

} // namespace

QDialog* open_number_window() {
    return shown_window.data();
}

void open_add_window() {
    QDialog* window = create_number_window(NumberWindowKind::Add);
    QObject::connect(find_control<QPushButton>(window, "添加按钮"), &QPushButton::clicked, window,
                     [window] { add_saved_number(window); });
    run_window(window);
}

void add_saved_number(QDialog* window) {
    QLineEdit* number = number_box(window);
    QPlainTextEdit* note = note_box(window);
    if (number->text().isEmpty()) {
        message_box(gbk("请输入单号！"), gbk("提示"), kBoxExclamation);
        number->setFocus();
        return;
    }
    open_store(store_path());
    // Every step must succeed: a record whose fields were not all written is
    // no success, whichever write failed.
    bool saved = append_blank();
    saved = write_field(gbk("单号"), trim_blanks(to_local(number->text()))) && saved;
    saved = write_field(gbk("公司"), to_local(courier_box(window)->currentText())) && saved;
    saved = write_field(gbk("备注"), note_for_store(note->toPlainText())) && saved;
    if (saved) {
        message_box(gbk("添加成功！"), gbk("添加成功"), kBoxInformation);
    } else {
        message_box(gbk("添加失败！"), gbk("添加失败"), kBoxInformation);
    }
    number->clear();
    note->clear();
    number->setFocus();
    reload_saved_list();
    close_store();
}

void open_edit_window() {
    const int row = selected_saved_row();
    if (row < 0) {
        message_box(gbk("请选择想要编辑的单号"), gbk("提示"), kBoxExclamation);
        return;
    }
    edit_record_number = row + 1;
    QDialog* window = create_number_window(NumberWindowKind::Edit);
    load_edit_fields(window);
    QObject::connect(find_control<QPushButton>(window, "编辑按钮"), &QPushButton::clicked, window,
                     [window] { save_edited_number(window); });
    run_window(window);
}

void load_edit_fields(QDialog* window) {
    open_store(store_path());
    // A record that is not there (the store could not be opened, or holds
    // fewer records than the list) shows as empty rather than as another
    // record.
    const bool found = count_records() >= edit_record_number && go_to_record(edit_record_number);
    const std::string number = found ? read_field(gbk("单号")) : std::string();
    const std::string note = found ? read_field(gbk("备注")) : std::string();
    const std::string company = found ? read_field(gbk("公司")) : std::string();
    number_box(window)->setText(to_qstring(number));
    note_box(window)->setPlainText(note_for_box(note));
    QComboBox* couriers = courier_box(window);
    for (int item = 0; item < couriers->count(); ++item) {
        if (starts_with_text(to_local(couriers->itemText(item)), company)) {
            couriers->setCurrentIndex(item);
            break;
        }
    }
}

void save_edited_number(QDialog* window) {
    // The store still has the edited record current, unless a failed save
    // closed it since or the record was never there.
    const bool saved = count_records() >= edit_record_number &&
                       modify_record(to_local(number_box(window)->text()),
                                     to_local(courier_box(window)->currentText()),
                                     note_for_store(note_box(window)->toPlainText()));
    if (saved) {
        window->accept();
        message_box(gbk("编辑成功！"), gbk("编辑成功"), kBoxInformation);
    } else {
        message_box(gbk("编辑失败！"), gbk("编辑失败"), kBoxInformation);
    }
    reload_saved_list();
}

} // namespace kesvane
