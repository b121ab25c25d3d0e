// Deleting one saved number, or all of them.
#pragma once

namespace kesvane {

void delete_saved_number();
void clear_saved_numbers();

} // namespace kesvane
