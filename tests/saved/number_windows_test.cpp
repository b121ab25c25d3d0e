// The add and edit windows: layout, the number box's byte limit, adding,
// editing and their messages.
#include "saved_fixture.h"

#include "edit_windows.h"
#include "form.h"

#include "gbk_codec.h"
#include "qt_text.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace kesvane::testing {
namespace {

using NumberWindowTest = SavedListFixture;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QLineEdit* number_of(QDialog* window) {
    return find_control<QLineEdit>(window, "编辑框_单号");
}
QComboBox* courier_of(QDialog* window) {
    return find_control<QComboBox>(window, "组合框1");
}
QPlainTextEdit* note_of(QDialog* window) {
    return find_control<QPlainTextEdit>(window, "编辑框_备注");
}
QPushButton* button_of(QDialog* window, const char* name) {
    return find_control<QPushButton>(window, name);
}

std::vector<std::string> texts_of(const std::vector<RecordedMessage>& messages) {
    std::vector<std::string> texts;
    for (const RecordedMessage& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

TEST_F(NumberWindowTest, AddWindowIsLaidOutAsDesigned) {
    bool checked = false;
    answer_modal_window([&](QDialog* add) {
        checked = true;
        EXPECT_EQ(add, open_number_window());
        EXPECT_EQ(add->windowTitle(), utf8("添加快递单号"));
        EXPECT_EQ(add->size(), QSize(277, 166));
        EXPECT_EQ(add->minimumSize(), add->maximumSize());
        EXPECT_EQ(add->windowModality(), Qt::ApplicationModal);
        EXPECT_FALSE(add->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(add->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(add->windowFlags() & Qt::WindowCloseButtonHint);

        const struct {
            const char* name;
            QRect place;
            int font_pixels;
        } controls[] = {
            {"编辑框_单号", {7, 8, 152, 25}, 14},     {"组合框1", {175, 8, 88, 20}, 12},
            {"编辑框_备注", {7, 40, 256, 56}, 14},    {"添加按钮", {132, 104, 64, 24}, -1},
            {"取消单号保存", {200, 104, 64, 24}, -1},
        };
        for (const auto& control : controls) {
            auto* widget = find_control<QWidget>(add, control.name);
            ASSERT_NE(widget, nullptr) << control.name;
            EXPECT_EQ(widget->geometry(), control.place) << control.name;
            if (control.font_pixels > 0) {
                EXPECT_EQ(widget->font().pixelSize(), control.font_pixels) << control.name;
            }
        }
        EXPECT_TRUE(number_of(add)->text().isEmpty());
        EXPECT_EQ(number_of(add)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(note_of(add)->toPlainText(), utf8("备注"));
        EXPECT_TRUE(button_of(add, "添加按钮")->isDefault());
        EXPECT_EQ(button_of(add, "添加按钮")->text(), utf8("添加(&A)"));
        EXPECT_EQ(button_of(add, "取消单号保存")->text(), utf8("取消(&C)"));

        QComboBox* couriers = courier_of(add);
        const QStringList expected = {
            "中通", "天天", "申通",   "圆通",   "汇通",  "鑫飞鸿",   "中铁",     "亚风",
            "韵达", "速尔", "新邦",   "星辰",   "顺丰",  "快捷",     "TNT",      "DHL",
            "EMS",  "德邦", "宅急送", "飞康达", "FEDEX", "中国邮政", "广东邮政", "中邮物流"};
        QStringList items;
        for (int i = 0; i < couriers->count(); ++i) {
            items << couriers->itemText(i);
        }
        EXPECT_EQ(items, expected);
        EXPECT_EQ(couriers->currentIndex(), 0);
        EXPECT_FALSE(couriers->isEditable());

        // The drop-down's items stand 3 pixels taller than a plain drop-down's.
        QComboBox plain;
        plain.setFont(couriers->font());
        plain.addItems(expected);
        QStyleOptionViewItem option;
        option.initFrom(couriers->view());
        const QModelIndex first = couriers->model()->index(0, 0);
        EXPECT_EQ(
            couriers->view()->itemDelegate()->sizeHint(option, first).height(),
            plain.view()->itemDelegate()->sizeHint(option, plain.model()->index(0, 0)).height() +
                3);

        // Tab order: number, drop-down, note, the default button, cancel.
        QStringList chain;
        QWidget* widget = number_of(add);
        for (int i = 0; i < 5; ++i) {
            chain << widget->objectName();
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible());
        }
        EXPECT_EQ(chain, QStringList({utf8("编辑框_单号"), utf8("组合框1"), utf8("编辑框_备注"),
                                      utf8("添加按钮"), utf8("取消单号保存")}));

        QTest::keyClick(add, Qt::Key_Escape);
    });
    window->menu_item("添加单号(&A)")->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(open_number_window(), nullptr);
    EXPECT_TRUE(stored().empty());
}

TEST_F(NumberWindowTest, NumberBoxTakesAtMostTwentyGbkBytesTypedOrPasted) {
    answer_modal_window([&](QDialog* add) {
        QLineEdit* number = number_of(add);
        number->insert(utf8("一二三四五六七八九十"));
        EXPECT_EQ(to_local(number->text()).size(), 20u);
        number->insert(QStringLiteral("1"));
        EXPECT_EQ(number->text(), utf8("一二三四五六七八九十"));

        for (const char* pasted : {"一二三四五六七八九十甲", "ABCDEFGHIJKLMNOPQRSTU"}) {
            number->clear();
            QApplication::clipboard()->setText(utf8(pasted));
            number->paste();
            EXPECT_LE(to_local(number->text()).size(), 20u) << pasted;
        }
        number->clear();
        QApplication::clipboard()->setText(QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        number->paste();
        EXPECT_EQ(number->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        add->reject();
    });
    open_add_window();
}

TEST_F(NumberWindowTest, AddingKeepsTheWindowOpenForTheNextNumber) {
    answer_modal_window([&](QDialog* add) {
        number_of(add)->setText(QStringLiteral("  A1 "));
        courier_of(add)->setCurrentIndex(16); // EMS
        button_of(add, "添加按钮")->click();
        EXPECT_EQ(stored(), (std::vector<Saved>{{"A1", "EMS", "备注"}}));
        EXPECT_TRUE(add->isVisible());
        EXPECT_TRUE(number_of(add)->text().isEmpty());
        EXPECT_TRUE(note_of(add)->toPlainText().isEmpty());
        EXPECT_EQ(courier_of(add)->currentIndex(), 16);
        EXPECT_EQ(QApplication::focusWidget(), number_of(add));
        EXPECT_EQ(shown().back(), (Saved{"A1", "EMS", "备注"}));

        // Enter presses the default button; blanks alone are the empty number.
        number_of(add)->setText(QString::fromUtf8("\u3000 "));
        QTest::keyClick(number_of(add), Qt::Key_Return);
        // A note on two lines keeps the line break as CR LF in the store.
        number_of(add)->setText(QStringLiteral("A3"));
        note_of(add)->setPlainText(utf8("第一行\n第二行"));
        button_of(add, "添加按钮")->click();
        EXPECT_EQ(stored(),
                  (std::vector<Saved>{
                      {"A1", "EMS", "备注"}, {"", "EMS", ""}, {"A3", "EMS", "第一行\r\n第二行"}}));

        // Nothing typed: told so, nothing saved.
        button_of(add, "添加按钮")->click();
        EXPECT_EQ(stored().size(), 3u);
        EXPECT_EQ(QApplication::focusWidget(), number_of(add));
        button_of(add, "取消单号保存")->click();
    });
    open_add_window();
    EXPECT_EQ(texts_of(messages->messages),
              (std::vector<std::string>{"添加成功！", "添加成功！", "添加成功！", "请输入单号！"}));
    EXPECT_EQ(messages->messages[0].title, "添加成功");
    EXPECT_EQ(messages->messages[0].flags, 64);
    EXPECT_EQ(messages->messages[3].title, "提示");
    EXPECT_EQ(messages->messages[3].flags, 48);
    EXPECT_EQ(shown(), stored());
}

TEST_F(NumberWindowTest, AddingToAStoreThatCannotBeOpenedFails) {
    store(numbered(1));
    write_file(run_dir->store_file(), "garbage");
    answer_modal_window([&](QDialog* add) {
        number_of(add)->setText(QStringLiteral("F1"));
        button_of(add, "添加按钮")->click();
        EXPECT_TRUE(number_of(add)->text().isEmpty());
        add->reject();
    });
    open_add_window();
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "添加失败！");
    EXPECT_EQ(messages->messages[0].title, "添加失败");
    EXPECT_EQ(messages->messages[0].flags, 64);
    EXPECT_EQ(read_file(run_dir->store_file()), "garbage");
    EXPECT_EQ(list()->rowCount(), 0);
}

TEST_F(NumberWindowTest, EditingWithoutASelectedRowOnlyTellsTheUser) {
    store(numbered(2));
    window->menu_item("编辑单号")->trigger();
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请选择想要编辑的单号");
    EXPECT_EQ(messages->messages[0].title, "提示");
    EXPECT_EQ(messages->messages[0].flags, 48);
    EXPECT_EQ(open_number_window(), nullptr);
}

TEST_F(NumberWindowTest, DoubleClickEditsTheRowsOwnRecord) {
    store({{"1", "中通", "a"}, {"2", "中通", "b"}, {"3", "EMS", "c"}});
    answer_modal_window([&](QDialog* edit) {
        EXPECT_EQ(edit->windowTitle(), utf8("编辑快递单号"));
        EXPECT_EQ(edit->size(), QSize(277, 166));
        EXPECT_TRUE(button_of(edit, "编辑按钮")->isDefault());
        EXPECT_EQ(button_of(edit, "编辑按钮")->text(), utf8("编辑(&E)"));
        EXPECT_EQ(number_of(edit)->text(), QStringLiteral("3"));
        EXPECT_EQ(courier_of(edit)->currentText(), QStringLiteral("EMS"));
        EXPECT_EQ(note_of(edit)->toPlainText(), QStringLiteral("c"));
        number_of(edit)->setText(QStringLiteral("33"));
        courier_of(edit)->setCurrentIndex(17); // 德邦
        note_of(edit)->setPlainText(QStringLiteral("cc"));
        button_of(edit, "编辑按钮")->click();
    });
    QWindow* handle = window->windowHandle();
    QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier,
                       list()->viewport()->mapTo(window, row_point(2)));
    EXPECT_EQ(stored(),
              (std::vector<Saved>{{"1", "中通", "a"}, {"2", "中通", "b"}, {"33", "德邦", "cc"}}));
    EXPECT_EQ(shown(), stored());
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "编辑成功！");
    EXPECT_EQ(messages->messages[0].title, "编辑成功");
    EXPECT_EQ(messages->messages[0].flags, 64);
    EXPECT_EQ(open_number_window(), nullptr);
}

TEST_F(NumberWindowTest, DoubleClickBelowTheRowsOnlyTellsTheUser) {
    store(numbered(2));
    click_row(0);
    QTest::mouseDClick(
        window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
        list()->viewport()->mapTo(window, QPoint(20, list()->viewport()->height() - 4)));
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].text, "请选择想要编辑的单号");
}

TEST_F(NumberWindowTest, EditWindowPicksTheCourierByItsBeginning) {
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"EMS", "EMS"}, {"ems", "EMS"},       {"中国", "中国邮政"},
                 {"", "中通"},   {"顺丰速运", "中通"}, {"XYZ", "中通"}};
    for (const auto& c : cases) {
        messages->messages.clear();
        store({{"9", c.stored, ""}});
        click_row(0);
        answer_modal_window([&](QDialog* edit) {
            EXPECT_EQ(courier_of(edit)->currentText(), utf8(c.shown)) << c.stored;
            // Saved as it stands: an empty number, the courier shown.
            number_of(edit)->clear();
            button_of(edit, "编辑按钮")->click();
        });
        open_edit_window();
        EXPECT_EQ(stored(), (std::vector<Saved>{{"", c.shown, ""}})) << c.stored;
        EXPECT_EQ(texts_of(messages->messages), std::vector<std::string>{"编辑成功！"});
    }
}

TEST_F(NumberWindowTest, EditingAStoreThatCannotBeOpenedFailsAndKeepsTheWindow) {
    store(numbered(2));
    click_row(1);
    write_file(run_dir->store_file(), "garbage");
    answer_modal_window([&](QDialog* edit) {
        EXPECT_TRUE(number_of(edit)->text().isEmpty());
        button_of(edit, "编辑按钮")->click();
        EXPECT_TRUE(edit->isVisible());
        button_of(edit, "编辑按钮")->click();
        button_of(edit, "取消单号保存")->click();
    });
    open_edit_window();
    EXPECT_EQ(texts_of(messages->messages), (std::vector<std::string>{"编辑失败！", "编辑失败！"}));
    EXPECT_EQ(messages->messages[0].title, "编辑失败");
    EXPECT_EQ(read_file(run_dir->store_file()), "garbage");
}

TEST_F(NumberWindowTest, ClosingTheEditWindowChangesNothing) {
    store(numbered(3));
    const std::string bytes = store_bytes();
    click_row(1);
    answer_modal_window([&](QDialog* edit) {
        number_of(edit)->setText(QStringLiteral("changed"));
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    window->menu_item("编辑单号")->trigger();
    EXPECT_EQ(store_bytes(), bytes);
    EXPECT_EQ(shown(), numbered(3));
}

} // namespace
} // namespace kesvane::testing
