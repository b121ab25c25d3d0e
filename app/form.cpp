#include "form.h"

#include "gbk_limit_validator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace kesvane {

namespace {

QWidget* make_control(const ControlSpec& spec, QWidget* client) {
    const QString text = QString::fromUtf8(spec.text);
    switch (spec.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, client);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, client);
        if (spec.options & kCentred) {
            edit->setAlignment(Qt::AlignCenter);
        }
        if (spec.max_chars > 0) {
            edit->setMaxLength(spec.max_chars);
        }
        if ((spec.options & kUpperCase) || spec.max_gbk_bytes > 0) {
            edit->setValidator(
                new GbkLimitValidator(spec.options & kUpperCase, spec.max_gbk_bytes, edit));
        }
        return edit;
    }
    case ControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(text, client);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setTabChangesFocus(true);
        return edit;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(text, client);
    case ControlKind::PictureBox: {
        auto* picture = new QLabel(client);
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, client);
        button->setAutoDefault(false);
        button->setDefault(spec.options & kDefaultButton);
        return button;
    }
    case ControlKind::CheckList: {
        auto* list = new QListWidget(client);
        for (const char* item : spec.items) {
            auto* row = new QListWidgetItem(QString::fromUtf8(item), list);
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            row->setCheckState(Qt::Unchecked);
        }
        list->setCurrentRow(-1);
        return list;
    }
    case ControlKind::ListView: {
        auto* table = new QTableWidget(0, static_cast<int>(spec.items.size()), client);
        QStringList titles;
        for (const char* title : spec.items) {
            titles << QString::fromUtf8(title);
        }
        table->setHorizontalHeaderLabels(titles);
        for (int column = 0; column < table->columnCount(); ++column) {
            table->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (column < static_cast<int>(spec.column_widths.size())) {
                table->setColumnWidth(column, spec.column_widths[column]);
            }
        }
        table->verticalHeader()->hide();
        table->horizontalHeader()->setSectionsClickable(true);
        table->horizontalHeader()->setSectionsMovable(false);
        table->horizontalHeader()->setHighlightSections(false);
        table->horizontalHeader()->setStretchLastSection(false);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setShowGrid(true);
        table->setWordWrap(false);
        table->setSortingEnabled(false);
        table->setDragEnabled(false);
        table->setFrameShape(QFrame::Box);
        table->setFrameShadow(QFrame::Plain);
        return table;
    }
    case ControlKind::DropDown: {
        auto* combo = new QComboBox(client);
        combo->setEditable(false);
        for (const char* item : spec.items) {
            combo->addItem(QString::fromUtf8(item));
        }
        combo->setCurrentIndex(spec.items.empty() ? -1 : 0);
        return combo;
    }
    case ControlKind::Placeholder:
        return new QWidget(client);
    }
    return nullptr;
}

} // namespace

QString song_font_family() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* wanted : {"宋体", "SimSun", "NSimSun", "Noto Serif CJK SC",
                                   "Noto Sans CJK SC", "AR PL UMing CN", "WenQuanYi Zen Hei"}) {
            const QString name = QString::fromUtf8(wanted);
            if (installed.contains(name, Qt::CaseInsensitive)) {
                return name;
            }
        }
        return QString();
    }();
    return family;
}

void build_form(QWidget* client, std::span<const ControlSpec> controls) {
    QWidget* previous_tab_stop = nullptr;
    std::vector<QWidget*> group_boxes;
    for (const ControlSpec& spec : controls) {
        QWidget* widget = make_control(spec, client);
        widget->setObjectName(QString::fromUtf8(spec.name));
        widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
        if (spec.font_pixels > 0) {
            QFont font(song_font_family());
            font.setPixelSize(spec.font_pixels);
            font.setWeight(QFont::Normal);
            widget->setFont(font);
        }
        if (spec.options & kTabStop) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previous_tab_stop != nullptr) {
                QWidget::setTabOrder(previous_tab_stop, widget);
            }
            previous_tab_stop = widget;
        } else if (spec.kind == ControlKind::Button) {
            // A button outside the tab order takes no focus at all.
            widget->setFocusPolicy(Qt::NoFocus);
        } else if (spec.kind != ControlKind::Placeholder) {
            // Edit boxes and lists outside the tab order still take the focus on a click.
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        if (spec.kind == ControlKind::GroupBox) {
            group_boxes.push_back(widget);
        }
    }
    for (QWidget* box : group_boxes) {
        box->lower();
    }
}

} // namespace kesvane
