#include "about_window.h"

#include "config.h"
#include "program_values.h"
#include "resources_init.h"

#include "gbk_codec.h"
#include "qt_text.h"
#include "update_check.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <array>
#include <iterator>

namespace kesvane {

namespace {

constexpr int kAboutWidth = 384;
constexpr int kAboutHeight = 261;

// The text's layout relies on blanks being half as wide as Chinese
// characters, as in 宋体: the leading blanks keep the lines clear of the
// picture, and the field names line up. A monospaced CJK face stands in
// where 宋体 is missing.
QFont information_font() {
    const QStringList installed = QFontDatabase::families();
    QFont font;
    for (const char* wanted : {"宋体", "SimSun", "NSimSun", "Noto Sans Mono CJK SC",
                               "WenQuanYi Zen Hei Mono", "AR PL UMing CN"}) {
        const QString name = QString::fromUtf8(wanted);
        if (installed.contains(name, Qt::CaseInsensitive)) {
            font.setFamily(name);
            break;
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The largest size up to 12 pixels at which all the lines fit the label;
// CJK faces other than 宋体 leave more room between lines.
void fit_lines(QLabel* label, QFont font) {
    const int lines = static_cast<int>(label->text().count(QLatin1Char('\n'))) + 1;
    for (int pixels = 12; pixels >= 9; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).lineSpacing() * lines <= label->height()) {
            break;
        }
    }
    label->setFont(font);
}

QPixmap program_picture() {
    const QString path = QStringLiteral(":/kesvane/kesvane-48.png");
    if (!QFile::exists(path)) {
        init_resources();
    }
    return QPixmap(path);
}

} // namespace

std::span<const ControlSpec> about_window_controls() {
    static const std::array<ControlSpec, 5> controls{{
        {"标签3", ControlKind::Label, 13, 6, 352, 24, "Kesvane v"},
        {"标签1", ControlKind::Label, 9, 32, 360, 152},
        {"图片框1", ControlKind::PictureBox, 16, 46, 48, 48},
        {"访问主页", ControlKind::Button, 202, 192, 80, 28, "访问主页(&H)", {}, 0, kTabStop},
        {"关闭按钮",
         ControlKind::Button,
         288,
         192,
         80,
         28,
         "关闭(&C)",
         {},
         0,
         kTabStop | kDefaultButton},
    }};
    return controls;
}

std::string about_information_text() {
    const std::string indent(11, ' ');
    const std::string lines[] = {
        std::string(13, ' '),
        indent + gbk("作    者 : Dorvanu"),
        indent + gbk("编译日期 : 2012.1.9"),
        indent + gbk("主    页 : ") + config().publisher_site_url,
        indent + gbk("版权所有 : Kesvane 开发组 2012-2026"),
        "",
        gbk("更新记录:"),
        "",
        gbk("本版主要修复申通、顺丰EMS查询网址（临时）"),
    };
    std::string text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) {
        text += "\r\n" + lines[i];
    }
    return text;
}

void show_about_title(QDialog* window) {
    auto* title = find_control<QLabel>(window, "标签3");
    title->setText(to_qstring("Kesvane v" + current_version + caption_suffix));
}

QDialog* create_about_window() {
    auto* window = new QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("about_window"));
    window->setWindowTitle(QString::fromUtf8("关于Kesvane"));
    window->setWindowIcon(QIcon(QStringLiteral(":/kesvane/kesvane-128.png")));
    window->setWindowModality(Qt::ApplicationModal);
    window->setFixedSize(kAboutWidth, kAboutHeight);
    build_form(window, about_window_controls());

    auto* title = find_control<QLabel>(window, "标签3");
    QFont title_font = title->font();
    title_font.setFamily(song_font_family());
    title_font.setPixelSize(16);
    title_font.setBold(true);
    title->setFont(title_font);

    auto* information = find_control<QLabel>(window, "标签1");
    information->setTextFormat(Qt::PlainText);
    // A label breaks lines at LF; the CR of each line end has no glyph.
    information->setText(to_qstring(about_information_text()).remove(QLatin1Char('\r')));
    fit_lines(information, information_font());

    auto* picture = find_control<QLabel>(window, "图片框1");
    picture->setPixmap(program_picture());

    QObject::connect(find_control<QPushButton>(window, "访问主页"), &QPushButton::clicked, window,
                     [] { visit_home_page(); });
    QObject::connect(find_control<QPushButton>(window, "关闭按钮"), &QPushButton::clicked, window,
                     &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() -
                     QPoint(kAboutWidth / 2, kAboutHeight / 2));
    }
    find_control<QPushButton>(window, "关闭按钮")->setFocus();
    show_about_title(window);
    return window;
}

} // namespace kesvane
