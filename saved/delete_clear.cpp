#include "delete_clear.h"

namespace kesvane {

void delete_saved_number() {}
void clear_saved_numbers() {}

} // namespace kesvane
