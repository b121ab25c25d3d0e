#include "saved_list.h"

#include "delete_clear.h"
#include "saved_rows.h"

#include "main_window.h"
#include "record_store.h"
#include "store_location.h"

#include "gbk_codec.h"
#include "gbk_text.h"
#include "qt_text.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>

namespace kesvane {

namespace {

constexpr int kDeleteKey = 46;
constexpr int kCourierCount = 24;

QAction* auto_save_item() {
    MainWindow* window = main_window();
    return window == nullptr ? nullptr : window->menu_item("自动保存单号");
}

} // namespace

void reload_saved_list() {
    QTableWidget* list = saved_list();
    if (list == nullptr) {
        return;
    }
    open_store(store_path());
    go_first();
    const int count = count_records();
    std::vector<TrackingRecord> records;
    records.reserve(static_cast<size_t>(std::max(count, 0)));
    const std::string number = gbk("单号");
    const std::string company = gbk("公司");
    const std::string note = gbk("备注");
    for (int i = 1; i <= count; ++i) {
        records.push_back({read_field(number), read_field(company), read_field(note)});
        go_next();
    }
    close_store();
    show_saved_rows(list, std::move(records));
}

void fill_from_saved_row() {
    QTableWidget* list = saved_list();
    auto* couriers = main_control<QListWidget>("选择列表框1");
    auto* number_box = main_control<QLineEdit>("单号");
    if (list == nullptr || couriers == nullptr || number_box == nullptr) {
        return;
    }
    const int row = selected_saved_row();
    const std::string company = row < 0 ? std::string() : saved_cell(list, row, 1);
    const int items = std::min(couriers->count(), kCourierCount);
    int match = -1;
    for (int k = 0; k < items && match < 0 && row >= 0; ++k) {
        if (to_local(couriers->item(k)->text()) == company) {
            match = k;
        }
    }
    if (match < 0) {
        return;
    }
    for (int k = 0; k < items; ++k) {
        couriers->item(k)->setCheckState(Qt::Unchecked);
    }
    couriers->item(match)->setCheckState(Qt::Checked);
    couriers->setCurrentRow(match);
    number_box->setText(to_qstring(saved_cell(list, row, 0)));
}

void open_saved_list_popup(const QPoint& global_position) {
    if (MainWindow* window = main_window()) {
        window->saved_list_popup()->popup(global_position);
    }
}

void saved_list_key_pressed(int key_code) {
    if (key_code == kDeleteKey) {
        delete_saved_number();
    }
}

void toggle_auto_save() {
    if (QAction* item = auto_save_item()) {
        item->setChecked(!item->isChecked());
    }
}

bool auto_save_enabled() {
    const QAction* item = auto_save_item();
    return item != nullptr && item->isChecked();
}

void auto_save_number(const std::string& number, const std::string& company) {
    QTableWidget* list = saved_list();
    if (list == nullptr) {
        return;
    }
    for (int row = 0; row < list->rowCount(); ++row) {
        if (starts_with_text(saved_cell(list, row, 0), number)) {
            return;
        }
    }
    open_store(store_path());
    append_blank();
    write_field(gbk("单号"), number);
    write_field(gbk("公司"), company);
    reload_saved_list();
    list->setColumnWidth(2, 120);
    list->setColumnWidth(1, 60);
}

} // namespace kesvane
