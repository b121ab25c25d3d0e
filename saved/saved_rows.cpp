#include "saved_rows.h"

#include "main_window.h"

#include "gbk_codec.h"
#include "qt_text.h"

#include <QEvent>
#include <QHash>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

#include <array>

namespace kesvane {

namespace {

constexpr int kColumns = 3;
// Rows given their cells per idle slice: well under a millisecond each.
constexpr int kRowsPerSlice = 64;

const std::string& field_name(int column) {
    static const std::string names[kColumns] = {gbk("单号"), gbk("公司"), gbk("备注")};
    return names[column];
}

const std::string& field_of(const TrackingRecord& record, int column) {
    return column == 0 ? record.number : column == 1 ? record.company : record.note;
}

bool is_ascii(const std::string& bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return false;
        }
    }
    return true;
}

// The texts a row shows, converted from its stored bytes when first needed.
struct RowTexts {
    std::array<QString, kColumns> text;
    unsigned converted = 0; // bit c: text[c] holds column c's stored text
};

// The rows of one list and the state of its cells. Lives as a child of the
// list; watches the list's rows area to give rows their cells before they
// are painted.
class ListRows : public QObject {
public:
    explicit ListRows(QTableWidget* list) : QObject(list), list_(list) {
        setObjectName(QStringLiteral("kesvane_saved_rows"));
        list->viewport()->installEventFilter(this);
        idle_.setInterval(0);
        connect(&idle_, &QTimer::timeout, this, [this] { fill_slice(); });
    }

    // Row r's stored bytes and its texts; both in display order.
    std::vector<TrackingRecord> rows;
    std::vector<RowTexts> texts;

    const QString& text(int row, int column) {
        RowTexts& entry = texts[static_cast<size_t>(row)];
        if (!(entry.converted & (1u << column))) {
            entry.text[static_cast<size_t>(column)] =
                convert(field_of(rows[static_cast<size_t>(row)], column));
            entry.converted |= 1u << column;
        }
        return entry.text[static_cast<size_t>(column)];
    }

    // Every row's cells are out of date: refresh the rows in view now and
    // the others when idle.
    void cells_changed() {
        current_.assign(rows.size(), 0);
        next_ = 0;
        fill_in_view();
        if (!rows.empty()) {
            idle_.start();
        }
    }

    void fill_all() {
        fill(0, static_cast<int>(rows.size()) - 1);
        idle_.stop();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == list_->viewport()) {
            // Filled quietly: the paint that follows shows the new texts.
            const QSignalBlocker quiet(list_->model());
            fill_in_view();
        }
        return false;
    }

private:
    QString convert(const std::string& bytes) {
        if (is_ascii(bytes)) {
            return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
        }
        // The same few courier names come again and again.
        const QByteArray key(bytes.data(), static_cast<qsizetype>(bytes.size()));
        const auto found = names_.constFind(key);
        if (found != names_.constEnd()) {
            return *found;
        }
        QString converted = to_qstring(bytes);
        if (bytes.size() <= 12 && names_.size() < 256) {
            names_.insert(key, converted);
        }
        return converted;
    }

    void fill_row(int row) {
        for (int column = 0; column < kColumns; ++column) {
            const QString& shown = text(row, column);
            if (QTableWidgetItem* item = list_->item(row, column)) {
                item->setText(shown);
            } else {
                list_->setItem(row, column, new QTableWidgetItem(shown));
            }
        }
        current_[static_cast<size_t>(row)] = 1;
    }

    void fill(int first, int last) {
        for (int row = std::max(first, 0); row <= last && row < static_cast<int>(rows.size());
             ++row) {
            if (!current_[static_cast<size_t>(row)]) {
                fill_row(row);
            }
        }
    }

    void fill_in_view() {
        if (rows.empty()) {
            return;
        }
        const int first = std::max(list_->rowAt(0), 0);
        int last = list_->rowAt(list_->viewport()->height() - 1);
        if (last < 0) {
            last = static_cast<int>(rows.size()) - 1;
        }
        fill(first, last);
    }

    void fill_slice() {
        const int count = static_cast<int>(rows.size());
        int filled = 0;
        while (next_ < count && filled < kRowsPerSlice) {
            if (!current_[static_cast<size_t>(next_)]) {
                fill_row(next_);
                ++filled;
            }
            ++next_;
        }
        if (next_ >= count) {
            idle_.stop();
        }
    }

    QTableWidget* list_;
    std::vector<char> current_; // per row: its cells show its texts
    int next_ = 0;              // where the idle fill goes on
    QTimer idle_;
    QHash<QByteArray, QString> names_;
};

ListRows& rows_of(QTableWidget* list) {
    auto* rows = list->findChild<ListRows*>(QStringLiteral("kesvane_saved_rows"),
                                            Qt::FindDirectChildrenOnly);
    return rows != nullptr ? *rows : *new ListRows(list);
}

bool in_rows(ListRows& rows, int row) {
    return row >= 0 && row < static_cast<int>(rows.rows.size());
}

} // namespace

QTableWidget* saved_list() {
    return main_control<QTableWidget>("超级列表框1");
}

int selected_saved_row() {
    const QTableWidget* list = saved_list();
    if (list == nullptr || list->selectionModel() == nullptr) {
        return -1;
    }
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::string saved_cell(QTableWidget* list, int row, int column) {
    ListRows& rows = rows_of(list);
    if (!in_rows(rows, row) || column < 0 || column >= kColumns) {
        return {};
    }
    return field_of(rows.rows[static_cast<size_t>(row)], column);
}

TrackingRecord saved_row(QTableWidget* list, int row) {
    ListRows& rows = rows_of(list);
    return in_rows(rows, row) ? rows.rows[static_cast<size_t>(row)] : TrackingRecord{};
}

std::vector<TrackingRecord> saved_rows(QTableWidget* list) {
    return rows_of(list).rows;
}

void show_saved_rows(QTableWidget* list, std::vector<TrackingRecord> records) {
    ListRows& rows = rows_of(list);
    rows.rows = std::move(records);
    rows.texts.assign(rows.rows.size(), RowTexts{});
    if (list->selectionModel() != nullptr) {
        list->selectionModel()->clear();
    }
    list->setRowCount(static_cast<int>(rows.rows.size()));
    rows.cells_changed();
}

void reorder_saved_rows(QTableWidget* list, const std::vector<int>& order) {
    ListRows& rows = rows_of(list);
    if (order.size() != rows.rows.size()) {
        return;
    }
    const int selected = selected_saved_row();
    std::vector<TrackingRecord> records;
    std::vector<RowTexts> texts;
    records.reserve(order.size());
    texts.reserve(order.size());
    int selected_after = -1;
    for (const int from : order) {
        if (from == selected) {
            selected_after = static_cast<int>(records.size());
        }
        records.push_back(std::move(rows.rows[static_cast<size_t>(from)]));
        texts.push_back(std::move(rows.texts[static_cast<size_t>(from)]));
    }
    rows.rows = std::move(records);
    rows.texts = std::move(texts);
    rows.cells_changed();
    if (selected_after >= 0) {
        list->selectRow(selected_after);
    }
}

std::vector<QString> saved_column_texts(QTableWidget* list, int column) {
    ListRows& rows = rows_of(list);
    std::vector<QString> texts;
    texts.reserve(rows.rows.size());
    for (int row = 0; row < static_cast<int>(rows.rows.size()); ++row) {
        texts.push_back(rows.text(row, column));
    }
    return texts;
}

void finish_saved_rows(QTableWidget* list) {
    rows_of(list).fill_all();
}

bool rewrite_store_from_list(QTableWidget* list) {
    const std::vector<TrackingRecord>& shown = rows_of(list).rows;
    const int stored = count_records();
    if (stored <= static_cast<int>(shown.size())) {
        return rewrite_store(shown);
    }
    std::vector<TrackingRecord> records = shown;
    for (int n = static_cast<int>(shown.size()) + 1; n <= stored; ++n) {
        go_to_record(n);
        records.push_back(
            {read_field(field_name(0)), read_field(field_name(1)), read_field(field_name(2))});
    }
    return rewrite_store(records);
}

} // namespace kesvane
