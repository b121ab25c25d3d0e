#include "delete_clear.h"

#include "saved_list.h"
#include "saved_rows.h"

#include "message_box.h"
#include "record_store.h"
#include "store_location.h"

#include "gbk_codec.h"

namespace kesvane {

namespace {

// Whether the current record holds what the list shows in `row`: a list
// that no longer matches the store must not lead to deleting another record.
bool current_record_shows(int row) {
    const TrackingRecord shown = saved_row(saved_list(), row);
    return read_field(gbk("单号")) == shown.number && read_field(gbk("公司")) == shown.company &&
           read_field(gbk("备注")) == shown.note;
}

} // namespace

void delete_saved_number() {
    if (saved_list() == nullptr) {
        return;
    }
    const int row = selected_saved_row();
    if (row < 0) {
        // Nothing to ask about: say what is missing, as the edit window does.
        message_box(gbk("请选择想要删除的单号"), gbk("提示"), kBoxExclamation);
        return;
    }
    if (!message_box(gbk("您确认删除单号吗？"), gbk("删除提示"), kBoxOkCancelExclamation)) {
        return;
    }
    open_store(store_path());
    const bool found = count_records() > row && go_to_record(row + 1) && current_record_shows(row);
    const bool deleted = found && mark_deleted() && purge_marked();
    if (!deleted) {
        message_box(gbk("删除失败！"), gbk("删除失败"), kBoxInformation);
        return;
    }
    message_box(gbk("删除成功！"), gbk("删除成功"), kBoxInformation);
    reload_saved_list();
}

void clear_saved_numbers() {
    open_store(store_path());
    if (!message_box(gbk("是否清空数据库？"), gbk("全部删除提示"), kBoxOkCancelExclamation)) {
        return;
    }
    if (clear_store()) {
        message_box(gbk("已全部删除！"), gbk("删除成功"), kBoxInformation);
    } else {
        message_box(gbk("全部删除失败！"), gbk("删除失败"), kBoxInformation);
    }
    reload_saved_list();
}

} // namespace kesvane
