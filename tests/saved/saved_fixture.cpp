#include "saved_fixture.h"

#include "dispatch.h"
#include "record_store.h"
#include "saved_list.h"
#include "saved_rows.h"

#include "gbk_codec.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <memory>
#include <ostream>

namespace kesvane::testing {

void PrintTo(const Saved& saved, std::ostream* out) {
    *out << "{" << saved.number << ", " << saved.company << ", " << saved.note << "}";
}

void write_store(const std::string& path, const std::vector<Saved>& records) {
    create_store_if_missing(path);
    close_store();
    ASSERT_TRUE(open_store(path));
    ASSERT_TRUE(clear_store());
    for (const Saved& record : records) {
        ASSERT_TRUE(append_blank());
        ASSERT_TRUE(write_field(gbk("单号"), gbk(record.number)));
        ASSERT_TRUE(write_field(gbk("公司"), gbk(record.company)));
        ASSERT_TRUE(write_field(gbk("备注"), gbk(record.note)));
    }
    close_store();
}

std::vector<Saved> read_store(const std::string& path) {
    close_store();
    std::vector<Saved> records;
    if (!open_store(path)) {
        return records;
    }
    go_first();
    const int count = count_records();
    for (int i = 0; i < count; ++i) {
        records.push_back({gbk_to_utf8(read_field(gbk("单号"))),
                           gbk_to_utf8(read_field(gbk("公司"))),
                           gbk_to_utf8(read_field(gbk("备注")))});
        go_next();
    }
    close_store();
    return records;
}

std::vector<Saved> numbered(int count) {
    std::vector<Saved> records;
    for (int i = 1; i <= count; ++i) {
        records.push_back({std::to_string(i), "中通", ""});
    }
    return records;
}

void answer_modal_window(std::function<void(QDialog*)> act) {
    auto* timer = new QTimer();
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(window);
            return;
        }
        if (++*waited > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window came up";
        }
    });
    timer->start(20);
}

void SavedListFixture::store(const std::vector<Saved>& records) const {
    write_store(run_dir->store_file(), records);
    reload_saved_list();
}

std::vector<Saved> rows_of(QTableWidget* list) {
    finish_saved_rows(list);
    std::vector<Saved> rows;
    for (int row = 0; row < list->rowCount(); ++row) {
        rows.push_back({list->item(row, 0)->text().toStdString(),
                        list->item(row, 1)->text().toStdString(),
                        list->item(row, 2)->text().toStdString()});
    }
    return rows;
}

std::vector<Saved> SavedListFixture::shown() const {
    return rows_of(list());
}

std::vector<std::string> SavedListFixture::shown_numbers() const {
    std::vector<std::string> numbers;
    for (const Saved& row : shown()) {
        numbers.push_back(row.number);
    }
    return numbers;
}

QPoint SavedListFixture::row_point(int row, int column) const {
    return {list()->columnViewportPosition(column) + list()->columnWidth(column) / 2,
            list()->rowViewportPosition(row) + list()->rowHeight(row) / 2};
}

void SavedListFixture::query(const char* typed, int current) {
    couriers()->item(2)->setCheckState(Qt::Checked);
    couriers()->setCurrentRow(current);
    number_box()->setText(QString::fromUtf8(typed));
    run_query();
}

void SavedListFixture::click_row(int row) const {
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, row_point(row));
}

} // namespace kesvane::testing
