#include "gbk_codec.h"

#include <unicode/ucnv.h>

#include <memory>

namespace kesvane {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU converters are not thread-safe, and opening one costs more than a
// short conversion: each thread keeps its own, reset before every use.
UConverter* cached_converter(const char* name) {
    thread_local Converter gbk_converter;
    thread_local Converter utf8_converter;
    const bool is_gbk = std::string_view(name) == "windows-936";
    Converter& slot = is_gbk ? gbk_converter : utf8_converter;
    if (!slot) {
        UErrorCode status = U_ZERO_ERROR;
        slot.reset(ucnv_open(name, &status));
        if (U_FAILURE(status)) {
            slot.reset();
            return nullptr;
        }
        if (is_gbk) {
            UErrorCode subst_status = U_ZERO_ERROR;
            ucnv_setSubstChars(slot.get(), "?", 1, &subst_status);
        }
    }
    ucnv_reset(slot.get());
    return slot.get();
}

std::u16string decode(const char* charset, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    UConverter* converter = cached_converter(charset);
    if (converter == nullptr) {
        return {};
    }
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                         static_cast<int32_t>(out.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    out.resize(static_cast<size_t>(length));
    return out;
}

std::string encode(const char* charset, std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    UConverter* converter = cached_converter(charset);
    if (converter == nullptr) {
        return {};
    }
    std::string out(text.size() * 4 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                           reinterpret_cast<const UChar*>(text.data()),
                                           static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    out.resize(static_cast<size_t>(length));
    return out;
}

} // namespace

std::u16string gbk_to_utf16(std::string_view gbk) {
    return decode("windows-936", gbk);
}

std::string utf16_to_gbk(std::u16string_view text) {
    return encode("windows-936", text);
}

std::string utf8_to_gbk(std::string_view utf8) {
    return utf16_to_gbk(decode("UTF-8", utf8));
}

std::string gbk_to_utf8(std::string_view gbk) {
    return encode("UTF-8", gbk_to_utf16(gbk));
}

} // namespace kesvane
