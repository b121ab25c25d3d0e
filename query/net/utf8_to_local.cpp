// utf8_to_local: one pass of ICU from UTF-8 straight to windows-936, through
// a small pivot buffer, with the two converters kept per thread.

#include <unicode/ucnv.h>

#include <array>

#include "gbk_text.h"
#include "text_cutting.h"

namespace kesvane {

namespace {

class Utf8ToGbk {
public:
    Utf8ToGbk() {
        UErrorCode status = U_ZERO_ERROR;
        from_utf8_ = ucnv_open("UTF-8", &status);
        to_gbk_ = ucnv_open("windows-936", &status);
        // What GBK cannot hold, U+FFFD from bad UTF-8 included, becomes "?".
        ucnv_setSubstChars(to_gbk_, "?", 1, &status);
        ready_ = U_SUCCESS(status);
    }
    ~Utf8ToGbk() {
        ucnv_close(from_utf8_);
        ucnv_close(to_gbk_);
    }
    Utf8ToGbk(const Utf8ToGbk&) = delete;
    Utf8ToGbk& operator=(const Utf8ToGbk&) = delete;

    std::string convert(std::string_view utf8) {
        if (!ready_ || utf8.empty()) {
            return {};
        }
        // No UTF-8 sequence gives more GBK bytes than it has itself: one byte
        // stays one, two to four bytes give at most two, and each bad
        // sequence one "?". The loop still grows the output if that fails.
        std::string out(utf8.size(), '\0');
        const char* source = utf8.data();
        const char* const source_end = source + utf8.size();
        char* target = out.data();
        UChar* pivot_source = pivot_.data();
        UChar* pivot_target = pivot_.data();
        bool reset = true;
        while (true) {
            UErrorCode status = U_ZERO_ERROR;
            ucnv_convertEx(to_gbk_, from_utf8_, &target, out.data() + out.size(), &source,
                           source_end, pivot_.data(), &pivot_source, &pivot_target,
                           pivot_.data() + pivot_.size(), reset, true, &status);
            reset = false;
            if (status == U_BUFFER_OVERFLOW_ERROR) {
                const std::size_t written = static_cast<std::size_t>(target - out.data());
                out.resize(out.size() * 2);
                target = out.data() + written;
                continue;
            }
            if (U_FAILURE(status)) {
                return {};
            }
            out.resize(static_cast<std::size_t>(target - out.data()));
            return out;
        }
    }

private:
    UConverter* from_utf8_ = nullptr;
    UConverter* to_gbk_ = nullptr;
    bool ready_ = false;
    std::array<UChar, 4096> pivot_{};
};

} // namespace

std::string utf8_to_local(std::string_view utf8) {
    // ICU converters must not be shared between threads; opening them costs
    // more than converting a short reply, so each thread keeps its own pair.
    thread_local Utf8ToGbk converter;
    return converter.convert(until_first_zero(utf8));
}

} // namespace kesvane
