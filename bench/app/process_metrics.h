// Memory figures of this process and the browser processes it started.
#pragma once

#include <cstdint>

namespace kesvane::bench {

// Peak resident size of this process (VmHWM), in KiB.
std::int64_t own_peak_kib();
// Resident size now of this process and every descendant, in KiB.
std::int64_t tree_resident_kib();
// CLOCK_MONOTONIC in microseconds; comparable between processes.
std::int64_t monotonic_micros();

} // namespace kesvane::bench
