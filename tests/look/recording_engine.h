// What the recording skin engine saw: one entry per call, in order. Tests
// reach the list through recorded_skin_calls() in the loaded library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RecordedSkinCall {
    bool attach = false; // false: Skivra_Detach
    const void* data = nullptr;
    std::int32_t length = 0;
    std::string password;
    std::int32_t reserved[3] = {0, 0, 0};
};

using RecordedSkinCallsFunction = const std::vector<RecordedSkinCall>* (*)();
