#include "china_post.h"

#include "captcha_picture.h"
#include "china_post_page.h"
#include "form_post.h"
#include "gbk_codec.h"
#include "gui_exchange.h"
#include "main_window.h"
#include "message_box.h"
#include "pane_operations.h"
#include "qt_text.h"
#include "report_page.h"
#include "text_cutting.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kesvane {

namespace {

constexpr int kEmsItem = 7;
constexpr int kChinaPostItem = 22;

bool is_ticked(int index) {
    const auto* couriers = main_control<QListWidget>("选择列表框1");
    return couriers != nullptr && index >= 0 && index < couriers->count() &&
           couriers->item(index)->checkState() == Qt::Checked;
}

void fetch_captcha(const std::string& address) {
    show_captcha_picture(wait_for_exchange([address] { return download_bytes(address); }));
}

// Its focus handler empties the box.
void focus_captcha_box() {
    if (auto* captcha = main_control<QLineEdit>("验证码输入")) {
        captcha->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace

void query_china_post() {
    auto* number = main_control<QLineEdit>("单号");
    auto* captcha = main_control<QLineEdit>("验证码输入");
    auto* query = main_control<QPushButton>("快递查询");
    if (number == nullptr || captcha == nullptr || query == nullptr) {
        return;
    }
    if (captcha->text().isEmpty()) {
        message_box(gbk("请输入验证码后进行查询！"), gbk("警告"), kBoxExclamation);
        query->setEnabled(true);
        return;
    }

    GuiHold hold;
    const std::string address = china_post_query_address();
    // The site reads its form fields as UTF-8.
    const std::string body =
        gbk_to_utf8(china_post_form_body(to_local(number->text()), to_local(captcha->text())));
    const std::string reply =
        wait_for_exchange([address, body] { return post_form(address, address, body); });
    const std::string piece =
        cut_between(utf8_to_local(reply), china_post_start_marker(), china_post_end_marker());

    // Query comes back once this page has loaded; an earlier page that
    // finished loading while the form was posted must not give it back now.
    query->setEnabled(false);
    // A page that cannot be written leaves the earlier one; the pane is
    // pointed at the page all the same.
    write_report_page(china_post_report_page(piece));
    pane_navigate(report_path());
}

void reload_china_post_captcha() {
    if (!is_ticked(kChinaPostItem)) {
        return;
    }
    GuiHold hold;
    fetch_captcha(china_post_captcha_address());
    if (auto* captcha = main_control<QLineEdit>("验证码输入")) {
        captcha->clear();
    }
    focus_captcha_box();
}

void refresh_captcha() {
    GuiHold hold;
    if (is_ticked(kEmsItem)) {
        fetch_captcha(ems_captcha_address());
        focus_captcha_box();
    } else if (is_ticked(kChinaPostItem)) {
        fetch_captcha(china_post_captcha_address());
        focus_captcha_box();
    }
}

} // namespace kesvane
