// Made-up but plausible tracking histories, shared by every stand-in site so
// that the demo shows the same parcel wherever it is looked up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kesvane::standin {

struct TrackEvent {
    std::string time; // "2012-03-18 10:20:31"
    std::string text; // UTF-8
};

// Newest first. `courier` is the courier's Chinese name in UTF-8.
std::vector<TrackEvent> delivered_history(std::string_view courier);
std::vector<TrackEvent> in_transit_history(std::string_view courier);

} // namespace kesvane::standin
