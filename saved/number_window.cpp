#include "number_window.h"

#include "qt_text.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <array>

namespace kesvane {

namespace {

constexpr int kExtraItemHeight = 3;

// Draws the drop-down's items as its own delegate does, 3 pixels taller.
class TallerItems : public QAbstractItemDelegate {
public:
    TallerItems(QAbstractItemDelegate* base, QObject* parent)
        : QAbstractItemDelegate(parent), base_(base) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        base_->paint(painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return base_->sizeHint(option, index) + QSize(0, kExtraItemHeight);
    }

private:
    QAbstractItemDelegate* base_;
};

} // namespace

std::span<const ControlSpec> number_window_controls(NumberWindowKind kind) {
    static const std::array<ControlSpec, 5> add_controls{{
        {"编辑框_单号", ControlKind::Edit, 7, 8, 152, 25, "", {}, 14, kTabStop | kCentred, 0, 20},
        {"组合框1",
         ControlKind::DropDown,
         175,
         8,
         88,
         20,
         "",
         // Not the check list's order: the names themselves are what is stored.
         {"中通", "天天", "申通",   "圆通",   "汇通",  "鑫飞鸿",   "中铁",     "亚风",
          "韵达", "速尔", "新邦",   "星辰",   "顺丰",  "快捷",     "TNT",      "DHL",
          "EMS",  "德邦", "宅急送", "飞康达", "FEDEX", "中国邮政", "广东邮政", "中邮物流"},
         12,
         kTabStop},
        {"编辑框_备注", ControlKind::MultiLineEdit, 7, 40, 256, 56, "备注", {}, 14, kTabStop},
        {"添加按钮",
         ControlKind::Button,
         132,
         104,
         64,
         24,
         "添加(&A)",
         {},
         0,
         kTabStop | kDefaultButton},
        {"取消单号保存", ControlKind::Button, 200, 104, 64, 24, "取消(&C)", {}, 0, kTabStop},
    }};
    static const std::array<ControlSpec, 5> edit_controls{{
        add_controls[0],
        add_controls[1],
        add_controls[2],
        {"编辑按钮",
         ControlKind::Button,
         132,
         104,
         64,
         24,
         "编辑(&E)",
         {},
         0,
         kTabStop | kDefaultButton},
        add_controls[4],
    }};
    return kind == NumberWindowKind::Add ? std::span<const ControlSpec>(add_controls)
                                         : std::span<const ControlSpec>(edit_controls);
}

QDialog* create_number_window(NumberWindowKind kind) {
    auto* window = new QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const bool add = kind == NumberWindowKind::Add;
    window->setObjectName(add ? QStringLiteral("add_window") : QStringLiteral("edit_window"));
    window->setWindowTitle(QString::fromUtf8(add ? "添加快递单号" : "编辑快递单号"));
    window->setWindowIcon(QIcon(QStringLiteral(":/kesvane/kesvane-128.png")));
    window->setWindowModality(Qt::ApplicationModal);
    window->setFixedSize(kNumberWindowWidth, kNumberWindowHeight);
    build_form(window, number_window_controls(kind));

    auto* choices = find_control<QComboBox>(window, "组合框1");
    QAbstractItemView* popup = choices->view();
    popup->setItemDelegate(new TallerItems(popup->itemDelegate(), popup));

    QObject::connect(find_control<QPushButton>(window, "取消单号保存"), &QPushButton::clicked,
                     window, &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->availableGeometry().center() -
                     QPoint(kNumberWindowWidth / 2, kNumberWindowHeight / 2));
    }
    find_control<QWidget>(window, "编辑框_单号")->setFocus();
    return window;
}

std::string note_for_store(const QString& shown) {
    QString text = shown;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return to_local(text);
}

QString note_for_box(const std::string& stored) {
    QString text = to_qstring(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace kesvane
