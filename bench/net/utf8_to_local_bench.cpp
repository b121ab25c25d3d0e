// utf8_to_local on a 1 MiB Chinese HTML reply against one plain call of ICU's
// ucnv_convert on the same bytes; the target is to stay within 1.1 times it.

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <string>

#include "text_cutting.h"

namespace {

std::string chinese_reply() {
    const std::string head =
        "<html><head><meta charset=\"utf-8\"><title>\xE6\x9F\xA5\xE8\xAF\xA2</title></head><body>"
        "<table>\r\n";
    // "【北京市】快件已到达 北京转运中心，正在发往下一站"
    const std::string row =
        "<tr><td>2024-01-02 10:11:12</td><td>\xE3\x80\x90\xE5\x8C\x97\xE4\xBA\xAC\xE5\xB8\x82"
        "\xE3\x80\x91\xE5\xBF\xAB\xE4\xBB\xB6\xE5\xB7\xB2\xE5\x88\xB0\xE8\xBE\xBE "
        "\xE5\x8C\x97\xE4\xBA\xAC\xE8\xBD\xAC\xE8\xBF\x90\xE4\xB8\xAD\xE5\xBF\x83\xEF\xBC\x8C"
        "\xE6\xAD\xA3\xE5\x9C\xA8\xE5\x8F\x91\xE5\xBE\x80\xE4\xB8\x8B\xE4\xB8\x80\xE7\xAB\x99"
        "</td></tr>\r\n";
    std::string text = head;
    while (text.size() + row.size() < 1024 * 1024 - 32) {
        text += row;
    }
    text += "</table></body></html>";
    return text;
}

const std::string& reply() {
    static const std::string text = chinese_reply();
    return text;
}

void BM_utf8_to_local(benchmark::State& state) {
    const std::string& input = reply();
    for (auto _ : state) {
        std::string out = kesvane::utf8_to_local(input);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_utf8_to_local)->Unit(benchmark::kMicrosecond);

void BM_icu_ucnv_convert(benchmark::State& state) {
    const std::string& input = reply();
    std::string out(input.size() + 16, '\0');
    for (auto _ : state) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length =
            ucnv_convert("windows-936", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                         input.data(), static_cast<int32_t>(input.size()), &status);
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_icu_ucnv_convert)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
