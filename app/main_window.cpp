#include "main_window.h"

#include "main_window_layout.h"
#include "pane_operations.h"
#include "program_values.h"
#include "resources_init.h"
#include "shell_handlers.h"

#include "about.h"
#include "addresses.h"
#include "api_road.h"
#include "china_post.h"
#include "delete_clear.h"
#include "dispatch.h"
#include "edit_windows.h"
#include "record_store.h"
#include "report_page.h"
#include "saved_list.h"
#include "skins.h"
#include "sort_drag.h"
#include "store_location.h"
#include "update_check.h"

#include "gbk_codec.h"
#include "qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableWidget>

namespace kesvane {

namespace {

MainWindow* the_main_window = nullptr;

void run_menu_handler(MenuHandler handler) {
    switch (handler) {
    case MenuHandler::None:
        break;
    case MenuHandler::AddNumber:
        open_add_window();
        break;
    case MenuHandler::EditNumber:
        open_edit_window();
        break;
    case MenuHandler::DeleteNumber:
        delete_saved_number();
        break;
    case MenuHandler::DeleteAll:
        clear_saved_numbers();
        break;
    case MenuHandler::Query:
        menu_query();
        break;
    case MenuHandler::Taobao:
        open_taobao_orders();
        break;
    case MenuHandler::ToggleAutoSave:
        toggle_auto_save();
        break;
    case MenuHandler::DefaultSkin:
        choose_default_skin();
        break;
    case MenuHandler::SkinRedChina:
        choose_skin_red_china();
        break;
    case MenuHandler::SkinBlocks:
        choose_skin_blocks();
        break;
    case MenuHandler::Exit:
        exit_program();
        break;
    case MenuHandler::Print:
        pane_command(kCommandPrint);
        break;
    case MenuHandler::PrintPreview:
        pane_command(kCommandPrintPreview);
        break;
    case MenuHandler::PageSetup:
        pane_command(kCommandPageSetup);
        break;
    case MenuHandler::HelpMessage:
        show_help_message();
        break;
    case MenuHandler::HomePage:
        visit_home_page();
        break;
    case MenuHandler::CheckUpdate:
        start_update_check();
        break;
    case MenuHandler::About:
        open_about_window();
        break;
    }
}

// Windows key code of a Qt key, for the list's key handler.
int windows_key_code(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
            return 'A' + (event->key() - Qt::Key_A);
        }
        if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9) {
            return '0' + (event->key() - Qt::Key_0);
        }
        return 0;
    }
}

} // namespace

MainWindow* main_window() {
    return the_main_window;
}

MainWindow::MainWindow(std::unique_ptr<ResultPane> pane) : pane_(std::move(pane)) {
    the_main_window = this;
    init_resources();
    setWindowTitle(QStringLiteral("Kesvane"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/kesvane/kesvane-128.png")));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    build_form(client, main_window_controls());

    // The browser pane takes the place laid out for it.
    QWidget* placeholder = find_control<QWidget>(client, "互联网浏览器1");
    QWidget* browser = pane_->widget();
    browser->setParent(client);
    browser->setGeometry(placeholder->geometry());
    browser->setFocusPolicy(Qt::StrongFocus);
    delete placeholder;
    browser->setObjectName(QString::fromUtf8("互联网浏览器1"));
    QWidget::setTabOrder(find_control<QWidget>(client, "快递查询"), browser);
    browser->show();

    auto* status = new QStatusBar(this);
    status->setObjectName(QString::fromUtf8("状态条1"));
    status->setSizeGripEnabled(false);
    auto* credit = new QLabel(QString::fromUtf8(status_credit_text()), status);
    credit->setObjectName(QStringLiteral("status_part_0"));
    credit->setFixedWidth(kStatusCreditWidth);
    auto* status_text = new QLabel(status);
    status_text->setObjectName(QStringLiteral("status_part_1"));
    status_text->setMinimumWidth(1);
    status->addWidget(credit);
    status->addWidget(status_text, 1);
    setStatusBar(status);

    build_menus();
    wire_events();

    resize(kMainWindowWidth, kMainWindowHeight);
    setFixedSize(kMainWindowWidth, kMainWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kMainWindowWidth / 2, kMainWindowHeight / 2));
    }
    start_up();
}

MainWindow::~MainWindow() {
    shut_down();
    if (the_main_window == this) {
        the_main_window = nullptr;
    }
}

QAction* MainWindow::menu_item(const char* text) const {
    const QString wanted = QString::fromUtf8(text);
    const QList<QAction*> actions = findChildren<QAction*>();
    for (QAction* action : actions) {
        if (action->property("kesvane_text").toString() == wanted) {
            return action;
        }
    }
    return nullptr;
}

void MainWindow::set_status_text(int index, const QString& text) {
    if (auto* part = findChild<QLabel*>(QStringLiteral("status_part_%1").arg(index))) {
        part->setText(text);
    }
}

QString MainWindow::status_text(int index) const {
    const auto* part = findChild<QLabel*>(QStringLiteral("status_part_%1").arg(index));
    return part == nullptr ? QString() : part->text();
}

void MainWindow::build_menus() {
    QMenu* parents[3] = {nullptr, nullptr, nullptr};
    const auto items = main_window_menus();
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemSpec& item = items[i];
        const QString text = QString::fromUtf8(item.text);
        const bool has_children = i + 1 < items.size() && items[i + 1].level > item.level;
        if (has_children) {
            QMenu* menu = nullptr;
            if (item.level == 0) {
                menu = item.hidden ? new QMenu(text, this) : menuBar()->addMenu(text);
                if (item.hidden) {
                    saved_list_popup_ = menu;
                }
            } else {
                menu = parents[item.level - 1]->addMenu(text);
            }
            menu->menuAction()->setProperty("kesvane_text", text);
            menu->setObjectName(text);
            parents[item.level] = menu;
            continue;
        }
        QString shown = text;
        if (item.hint != nullptr) {
            // Shown as a hint only; the key itself is the list's business.
            shown += QLatin1Char('\t') + QString::fromUtf8(item.hint);
        }
        QAction* action = parents[item.level - 1]->addAction(shown);
        action->setProperty("kesvane_text", text);
        action->setShortcutContext(Qt::WidgetShortcut);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const MenuHandler handler = item.handler;
        connect(action, &QAction::triggered, this, [action, handler] {
            // Qt flips a checkable item's mark before this runs; the handler
            // owns the mark, so the flip is taken back first.
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            run_menu_handler(handler);
        });
    }
}

void MainWindow::wire_events() {
    auto button = [this](const char* name) {
        return findChild<QPushButton*>(QString::fromUtf8(name));
    };
    connect(button("快递查询"), &QPushButton::clicked, this, [] { run_query(); });
    connect(button("停止按钮"), &QPushButton::clicked, this, [] { stop_query(); });
    connect(button("清空按钮"), &QPushButton::clicked, this, [] { clear_form(); });
    connect(button("刷新验证码"), &QPushButton::clicked, this, [] { refresh_captcha(); });

    auto* number = findChild<QLineEdit*>(QString::fromUtf8("单号"));
    auto* captcha = findChild<QLineEdit*>(QString::fromUtf8("验证码输入"));
    number->installEventFilter(this);
    captcha->installEventFilter(this);
    connect(captcha, &QLineEdit::textChanged, this, [] { captcha_text_changed(); });

    connect(pane_.get(), &ResultPane::statusTextChanged, this,
            [this](const QString& text) { set_status_text(1, text); });
    connect(pane_.get(), &ResultPane::downloadComplete, this, [this] {
        if (auto* query = findChild<QPushButton*>(QString::fromUtf8("快递查询"))) {
            query->setEnabled(true);
        }
    });

    // A click on an item's check box makes it the current item too, as on
    // the check lists the program was designed for.
    couriers_ = findChild<QListWidget*>(QString::fromUtf8("选择列表框1"));
    couriers_->viewport()->installEventFilter(this);

    saved_list_ = findChild<QTableWidget*>(QString::fromUtf8("超级列表框1"));
    QTableWidget* list = saved_list_;
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    list->viewport()->setMouseTracking(true);
    connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [](int column) { sort_by_column(column); });

    // Enter presses the default button from anywhere but the browser pane,
    // whose pages take their own keys.
    for (QWidget* child : centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != pane_->widget()) {
            child->installEventFilter(this);
        }
    }
}

void MainWindow::start_up() {
    current_version = "1.2";
    caption_suffix = gbk(" 测试版 by Dorvanu");
    setWindowTitle(to_qstring(versioned_caption()));
    create_store_if_missing(store_path());
    reload_saved_list();
    pane_navigate(welcome_address());
}

void MainWindow::shut_down() {
    if (shut_down_) {
        return;
    }
    shut_down_ = true;
    end_worker_at_shutdown();
    delete_report_page();
    close_store();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize outer = frameGeometry().size();
    const PaneLayout layout = layout_for_window_size(outer.width(), outer.height());
    QWidget* browser = pane_->widget();
    auto* group = findChild<QWidget*>(QString::fromUtf8("分组框2"));
    // A window smaller than the result area's margins leaves it without width
    // or height; Qt takes no negative sizes.
    browser->resize(std::max(0, layout.pane_width), browser->height());
    browser->resize(browser->width(), std::max(0, layout.pane_height));
    group->resize(std::max(0, layout.group_width), group->height());
    group->resize(group->width(), std::max(0, layout.group_height));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    // A fixed frame that can still be maximised: the size is free only while
    // the window is maximised.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(kMainWindowWidth, kMainWindowHeight);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shut_down();
    event->accept();
    QApplication::quit();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        QListWidget* couriers = couriers_;
        if (watched == couriers->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (QListWidgetItem* item = couriers->itemAt(mouse->position().toPoint())) {
                couriers->setCurrentItem(item);
            }
            return false;
        }
    }
    QTableWidget* list = saved_list_;
    if (watched == list->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                begin_row_drag();
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            track_row_drag(at.x(), at.y());
            return true; // the list's own drag-selection would fight the handler
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            list->viewport()->removeEventFilter(this);
            QApplication::sendEvent(list->viewport(), event);
            list->viewport()->installEventFilter(this);
            if (mouse->button() == Qt::LeftButton) {
                drop_dragged_row();
                fill_from_saved_row();
            } else if (mouse->button() == Qt::RightButton) {
                open_saved_list_popup(mouse->globalPosition().toPoint());
            }
            return true;
        }
        case QEvent::MouseButtonDblClick: {
            list->viewport()->removeEventFilter(this);
            QApplication::sendEvent(list->viewport(), event);
            list->viewport()->installEventFilter(this);
            open_edit_window();
            return true;
        }
        default:
            break;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == list) {
            saved_list_key_pressed(windows_key_code(key));
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            QPushButton* target = focused;
            if (target == nullptr) {
                // Query wins when both buttons carry the default style.
                for (const char* name : {"快递查询", "刷新验证码"}) {
                    auto* candidate = findChild<QPushButton*>(QString::fromUtf8(name));
                    if (candidate != nullptr && candidate->isDefault()) {
                        target = candidate;
                        break;
                    }
                }
            }
            if (target != nullptr && target->isEnabled()) {
                target->click();
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        if (watched->objectName() == QString::fromUtf8("单号")) {
            number_box_focused();
        } else if (watched->objectName() == QString::fromUtf8("验证码输入")) {
            captcha_box_focused();
        }
    }
    return false;
}

} // namespace kesvane
