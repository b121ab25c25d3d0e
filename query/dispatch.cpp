#include "dispatch.h"

#include "addresses.h"
#include "api_road.h"
#include "catalogue.h"
#include "china_post.h"
#include "gbk_codec.h"
#include "gbk_text.h"
#include "main_window.h"
#include "message_box.h"
#include "pane_operations.h"
#include "qt_text.h"
#include "saved_list.h"
#include "shell_handlers.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kesvane {

namespace {

void enable_query() {
    main_control<QPushButton>("快递查询")->setEnabled(true);
}

bool is_ticked(const QListWidget* couriers, int index) {
    return index >= 0 && index < couriers->count() &&
           couriers->item(index)->checkState() == Qt::Checked;
}

// The first ticked courier in query order; nullptr when none is ticked.
const CourierEntry* first_ticked(const QListWidget* couriers) {
    for (const int index : precedence_order()) {
        if (is_ticked(couriers, index)) {
            return &courier_catalogue()[static_cast<size_t>(index)];
        }
    }
    return nullptr;
}

std::string page_address(const CourierEntry& entry, const std::string& number) {
    switch (entry.index) {
    case 2:
        return sto_result_address(number);
    case 6:
        return sf_result_address(number);
    default:
        return ems_page_address();
    }
}

// Runs the chosen road; returns false when no courier is ticked.
bool take_road(const QListWidget* couriers, const std::string& number) {
    const CourierEntry* entry = first_ticked(couriers);
    if (entry == nullptr) {
        return false;
    }
    set_default_button("快递查询", true);
    switch (entry->road) {
    case Road::Api:
        start_api_road(std::string(entry->company_code));
        break;
    case Road::Page:
        pane_navigate(page_address(*entry, number));
        break;
    case Road::ChinaPost:
        query_china_post();
        break;
    }
    return true;
}

} // namespace

void run_query() {
    main_control<QPushButton>("快递查询")->setEnabled(false);
    auto* number_box = main_control<QLineEdit>("单号");
    auto* couriers = main_control<QListWidget>("选择列表框1");

    if (number_box->text().isEmpty()) {
        message_box(gbk("请输入快递单号！"), gbk("提示"), kBoxExclamation);
        enable_query();
        reload_china_post_captcha();
        return;
    }

    // The emptiness test above comes before trimming: blanks alone go on as
    // the empty number.
    const std::string number = trim_blanks(to_local(number_box->text()));
    number_box->setText(to_qstring(number));

    if (couriers->currentRow() < 0) {
        message_box(gbk("请选择欲查询的快递公司！"), gbk("提示"), kBoxOk);
        enable_query();
        reload_china_post_captcha();
        return;
    }

    if (auto_save_enabled()) {
        auto_save_number(number, to_local(couriers->currentItem()->text()));
    }

    if (take_road(couriers, number)) {
        return;
    }

    // A highlighted courier without a tick: nothing can be queried, so say
    // what is missing and give the button back at once.
    message_box(gbk("请选择欲查询的快递公司！"), gbk("提示"), kBoxOk);
    enable_query();
    reload_china_post_captcha();
}

} // namespace kesvane
