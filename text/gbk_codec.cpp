#include "gbk_codec.h"

#include <unicode/ucnv.h>

#include <memory>
#include <mutex>

namespace kesvane {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU converters are not thread-safe; each call opens its own (cheap: ICU
// caches the shared conversion tables).
Converter open_converter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    if (std::string_view(name) == "windows-936") {
        UErrorCode subst_status = U_ZERO_ERROR;
        ucnv_setSubstChars(converter.get(), "?", 1, &subst_status);
    }
    return converter;
}

std::u16string decode(const char* charset, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    Converter converter = open_converter(charset);
    if (!converter) {
        return {};
    }
    std::u16string out(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(out.data()),
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
    Converter converter = open_converter(charset);
    if (!converter) {
        return {};
    }
    std::string out(text.size() * 4 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter.get(), out.data(),
                                           static_cast<int32_t>(out.size()),
                                           reinterpret_cast<const UChar*>(text.data()),
                                           static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    out.resize(static_cast<size_t>(length));
    return out;
}

} // namespace

std::u16string gbk_to_utf16(std::string_view gbk) { return decode("windows-936", gbk); }

std::string utf16_to_gbk(std::u16string_view text) { return encode("windows-936", text); }

std::string utf8_to_gbk(std::string_view utf8) { return utf16_to_gbk(decode("UTF-8", utf8)); }

std::string gbk_to_utf8(std::string_view gbk) { return encode("UTF-8", gbk_to_utf16(gbk)); }

} // namespace kesvane
