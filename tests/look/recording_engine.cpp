// A skin engine that restyles nothing and remembers every call, loaded by
// the program in place of Skivra. Built without Skivra_Detach when
// RECORDING_ENGINE_WITHOUT_DETACH is defined, to stand for a library that
// lacks an entry point.
#include "recording_engine.h"
#include "skivra.h"

namespace {

std::vector<RecordedSkinCall>& calls() {
    static std::vector<RecordedSkinCall> list;
    return list;
}

} // namespace

extern "C" {

SKIVRA_API const std::vector<RecordedSkinCall>* recorded_skin_calls() {
    return &calls();
}

SKIVRA_API std::int32_t Skivra_AttachRes(const void* data, std::int32_t length,
                                         const char* password, std::int32_t reserved1,
                                         std::int32_t reserved2, std::int32_t reserved3) {
    RecordedSkinCall call;
    call.attach = true;
    call.data = data;
    call.length = length;
    call.password = password != nullptr ? password : "(null)";
    call.reserved[0] = reserved1;
    call.reserved[1] = reserved2;
    call.reserved[2] = reserved3;
    calls().push_back(call);
    return 0;
}

#ifndef RECORDING_ENGINE_WITHOUT_DETACH
SKIVRA_API std::int32_t Skivra_Detach() {
    calls().push_back(RecordedSkinCall{});
    return 0;
}
#endif
}
