#include "about.h"

#include "about_window.h"
#include "message_box.h"

#include "gbk_codec.h"

#include <memory>

namespace kesvane {

void open_about_window() {
    const std::unique_ptr<QDialog> window(create_about_window());
    window->exec();
}

void show_help_message() {
    message_box(gbk("这么简单的软件不用帮助吧……\r\n\r\n自己先摸索吧，有问题请到主页留言！"),
                gbk("帮助"), kBoxOk);
}

} // namespace kesvane
