#include "program_values.h"

namespace kesvane {

std::string versioned_caption() {
    return "Kesvane v" + current_version + caption_suffix;
}

} // namespace kesvane
