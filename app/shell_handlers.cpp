#include "shell_handlers.h"

#include "dispatch.h"
#include "main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kesvane {

PaneLayout layout_for_window_size(int width, int height) {
    return {width - 320, height - 110, width - 305, height - 85};
}

void set_default_button(const char* button_name, bool is_default) {
    if (auto* button = main_control<QPushButton>(button_name)) {
        button->setDefault(is_default);
    }
}

void clear_form() {
    main_control<QLineEdit>("单号")->setText(QString());
    main_control<QLineEdit>("验证码输入")->setText(QString());
}

void number_box_focused() {
    set_default_button("快递查询", true);
}

void captcha_box_focused() {
    main_control<QLineEdit>("验证码输入")->setText(QString());
}

void captcha_text_changed() {
    set_default_button("刷新验证码", false);
    set_default_button("快递查询", true);
}

void menu_query() {
    set_default_button("快递查询", true);
    run_query();
}

void exit_program() {
    if (MainWindow* window = main_window()) {
        window->shut_down();
    }
    QApplication::exit(0);
}

} // namespace kesvane
