// A main window over a store of saved numbers, with helpers to prepare the
// store, read it back and answer the add and edit windows.
#pragma once

#include "main_window_fixture.h"

#include <QDialog>
#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

namespace kesvane::testing {

// One saved number in UTF-8.
struct Saved {
    std::string number;
    std::string company;
    std::string note;
    friend bool operator==(const Saved&, const Saved&) = default;
};

void PrintTo(const Saved& saved, std::ostream* out);

// Replaces the records of the store at `path` (created when missing).
void write_store(const std::string& path, const std::vector<Saved>& records);
// The records of the store at `path`, read through the engine.
std::vector<Saved> read_store(const std::string& path);

// Numbers "1", "2", ... with courier 中通 and an empty note.
std::vector<Saved> numbered(int count);

// Calls `act` with the modal window once it is up (polled, as dialogs take
// their time to show); fails the test when none comes up within 10 s.
void answer_modal_window(std::function<void(QDialog*)> act);

class SavedListFixture : public MainWindowFixture {
protected:
    QTableWidget* list() const { return main_control<QTableWidget>("超级列表框1"); }

    // Writes the store and shows it in the list.
    void store(const std::vector<Saved>& records) const;
    std::vector<Saved> stored() const { return read_store(run_dir->store_file()); }
    // The list's rows as shown.
    std::vector<Saved> shown() const;
    std::vector<std::string> shown_numbers() const;
    std::string store_bytes() const { return read_file(run_dir->store_file()); }

    // Queries `typed` with 申通 ticked (a page road: no network) and item
    // `current` as the check list's current item.
    void query(const char* typed, int current = 2);

    // Selects `row` as a left click on it would, through the list's events.
    void click_row(int row) const;
    QPoint row_point(int row, int column = 0) const;
};

// The list's rows as its cells show them, every row given its cells first.
std::vector<Saved> rows_of(QTableWidget* list);

} // namespace kesvane::testing
