#include "resources_init.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_resources_outside_namespace() {
    Q_INIT_RESOURCE(kesvane);
}

namespace kesvane {

void init_resources() {
    init_resources_outside_namespace();
}

} // namespace kesvane
