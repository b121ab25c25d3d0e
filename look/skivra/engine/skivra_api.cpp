// The library's only exported symbols.
#include "skivra.h"

#include "look_keeper.h"
#include "skin_format.h"

extern "C" {

SKIVRA_API std::int32_t Skivra_AttachRes(const void* data, std::int32_t length,
                                         const char* password, std::int32_t, std::int32_t,
                                         std::int32_t) {
    try {
        if (!skivra::application_ready()) {
            return skivra::kErrorNoApplication;
        }
        skivra::Skin skin;
        const skivra::Result checked = skivra::unpack_skin(data, length, password, skin);
        if (checked != skivra::kOk) {
            return checked;
        }
        return skivra::LookKeeper::instance().attach(skin);
    } catch (...) {
        // Nothing may cross into the host, which knows no C++ exceptions.
        return skivra::kErrorContent;
    }
}

SKIVRA_API std::int32_t Skivra_Detach() {
    try {
        if (!skivra::application_ready()) {
            return skivra::kErrorNoApplication;
        }
        return skivra::LookKeeper::instance().detach();
    } catch (...) {
        return skivra::kErrorNoApplication;
    }
}
}
