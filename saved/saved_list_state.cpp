#include "saved_list_state.h"

#include <QObject>
#include <QTableWidget>

namespace kesvane {

namespace {

class StateHolder : public QObject {
public:
    explicit StateHolder(QObject* parent) : QObject(parent) {
        setObjectName(QStringLiteral("kesvane_saved_list_state"));
    }
    SavedListState state;
};

} // namespace

SavedListState& saved_list_state(QTableWidget* list) {
    auto* holder = static_cast<StateHolder*>(list->findChild<QObject*>(
        QStringLiteral("kesvane_saved_list_state"), Qt::FindDirectChildrenOnly));
    if (holder == nullptr) {
        holder = new StateHolder(list);
    }
    return holder->state;
}

} // namespace kesvane
