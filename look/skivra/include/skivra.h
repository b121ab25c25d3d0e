// The Skivra skin engine's two entry points. A host loads the library at
// run time and looks them up by name.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define SKIVRA_API __declspec(dllexport)
#else
#define SKIVRA_API __attribute__((visibility("default")))
#endif

extern "C" {

// Restyles every window of the calling widget application with the skin in
// `data` (a packed block of `length` bytes, locked with `password`) until
// the next attach or detach. The three integers are reserved and should be 0.
// Returns 0, or a negative code with the look left as it was.
SKIVRA_API std::int32_t Skivra_AttachRes(const void* data, std::int32_t length,
                                         const char* password, std::int32_t reserved1,
                                         std::int32_t reserved2, std::int32_t reserved3);

// Brings back the look the application had before the first attach;
// returns 0, also when no skin is attached.
SKIVRA_API std::int32_t Skivra_Detach();
}
