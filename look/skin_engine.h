// The skin engine library, bound by name at the first call of each entry
// point and kept loaded for the rest of the run.
#pragma once

#include <cstdint>
#include <string>

namespace kesvane {

// The engine's file name: "libSkivra.so", looked for in the program's folder
// first and then along the system's search path. The environment variable
// KESVANE_SKIN_LIBRARY names another file or path instead.
std::string skin_library_file();

// The engine's entry points. A library or entry point that cannot be found
// is fatal: a message naming both is shown and the program ends.
std::int32_t skivra_attach_res(const void* data, std::int32_t length, const char* password,
                               std::int32_t reserved1, std::int32_t reserved2,
                               std::int32_t reserved3);
std::int32_t skivra_detach();

} // namespace kesvane
