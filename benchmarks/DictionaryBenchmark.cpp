// Start-up decoding and the prefix search, beside zlib's inflate of the same
// dictionary text as a yardstick, all measured in one run.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <vector>

#include "dictionary/CWordList.h"
#include "dictionary/DictionaryBlob.h"
#include "dictionary/sixpackDecode.h"

namespace {

std::vector<std::uint8_t> decodedText() {
    std::vector<std::uint8_t> text(kDictionaryTextSize);
    sixpackDecode(kDictionaryBlob, kDictionaryBlobSize, text.data(), kDictionaryTextSize);
    return text;
}

void DecodeBuiltinBlob(benchmark::State& state) {
    std::vector<std::uint8_t> text(kDictionaryTextSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            sixpackDecode(kDictionaryBlob, kDictionaryBlobSize, text.data(), kDictionaryTextSize));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDictionaryTextSize);
    state.counters["blob_bytes"] = static_cast<double>(kDictionaryBlobSize);
}
BENCHMARK(DecodeBuiltinBlob)->Unit(benchmark::kMicrosecond);

void InflateSameTextWithZlib(benchmark::State& state) {
    const std::vector<std::uint8_t> text = decodedText();
    uLongf packedSize = compressBound(static_cast<uLong>(text.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, text.data(), static_cast<uLong>(text.size()), 9) !=
        Z_OK) {
        state.SkipWithError("compress2 failed");
        return;
    }
    std::vector<std::uint8_t> out(text.size());
    for (auto _ : state) {
        uLongf outSize = static_cast<uLongf>(out.size());
        benchmark::DoNotOptimize(uncompress(out.data(), &outSize, packed.data(), packedSize));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["zlib9_bytes"] = static_cast<double>(packedSize);
}
BENCHMARK(InflateSameTextWithZlib)->Unit(benchmark::kMicrosecond);

// Every search scans the whole current list; the fragment only decides how
// many entries take the second comparison.
void SearchProList(benchmark::State& state, const char* fragment) {
    static CWordList list;
    list.SelectProList();
    for (auto _ : state) {
        list.Search(fragment);
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["entries"] = list.CurrentCount();
}
BENCHMARK_CAPTURE(SearchProList, two_letters, "Ab")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SearchProList, one_letter, "s")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
