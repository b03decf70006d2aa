// Start-up decoding and the prefix search, beside zlib's inflate of the same
// dictionary text as a yardstick, all measured in one run.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <ctime>
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

// The dictionary text compressed by zlib at its best level, the yardstick.
struct ZlibStream {
    std::vector<std::uint8_t> bytes;
    std::size_t textSize = 0;

    static const ZlibStream& ofTheDictionary() {
        static const ZlibStream stream = [] {
            const std::vector<std::uint8_t> text = decodedText();
            uLongf size = compressBound(static_cast<uLong>(text.size()));
            ZlibStream z{std::vector<std::uint8_t>(size), text.size()};
            if (compress2(z.bytes.data(), &size, text.data(), static_cast<uLong>(text.size()), 9) !=
                Z_OK) {
                size = 0;
            }
            z.bytes.resize(size);
            return z;
        }();
        return stream;
    }

    int inflateInto(std::vector<std::uint8_t>& out) const {
        uLongf outSize = static_cast<uLongf>(out.size());
        return uncompress(out.data(), &outSize, bytes.data(), static_cast<uLong>(bytes.size()));
    }
};

std::uint32_t decodeBuiltinBlob(std::vector<std::uint8_t>& out) {
    return sixpackDecode(kDictionaryBlob, kDictionaryBlobSize, out.data(), kDictionaryTextSize);
}

void DecodeBuiltinBlob(benchmark::State& state) {
    std::vector<std::uint8_t> text(kDictionaryTextSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeBuiltinBlob(text));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDictionaryTextSize);
    state.counters["blob_bytes"] = static_cast<double>(kDictionaryBlobSize);
}
BENCHMARK(DecodeBuiltinBlob)->Unit(benchmark::kMicrosecond);

void InflateSameTextWithZlib(benchmark::State& state) {
    const ZlibStream& zlib = ZlibStream::ofTheDictionary();
    if (zlib.bytes.empty()) {
        state.SkipWithError("compress2 failed");
        return;
    }
    std::vector<std::uint8_t> out(zlib.textSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zlib.inflateInto(out));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(zlib.textSize));
    state.counters["zlib9_bytes"] = static_cast<double>(zlib.bytes.size());
}
BENCHMARK(InflateSameTextWithZlib)->Unit(benchmark::kMicrosecond);

// Both decoders in turn within each iteration, so that both meet the same
// load on a shared machine. `sixpack_per_zlib` is the decoder's CPU time over zlib's;
// the goal is at most 2.5.
void DecodeBuiltinBlobPerZlibInflate(benchmark::State& state) {
    const ZlibStream& zlib = ZlibStream::ofTheDictionary();
    if (zlib.bytes.empty()) {
        state.SkipWithError("compress2 failed");
        return;
    }
    std::vector<std::uint8_t> text(kDictionaryTextSize);
    std::vector<std::uint8_t> out(zlib.textSize);
    std::clock_t sixpackTicks = 0;
    std::clock_t zlibTicks = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        benchmark::DoNotOptimize(decodeBuiltinBlob(text));
        benchmark::ClobberMemory();
        const std::clock_t between = std::clock();
        benchmark::DoNotOptimize(zlib.inflateInto(out));
        benchmark::ClobberMemory();
        const std::clock_t end = std::clock();
        sixpackTicks += between - start;
        zlibTicks += end - between;
    }
    const auto perCall = [&](std::clock_t ticks) {
        return 1e6 * static_cast<double>(ticks) / CLOCKS_PER_SEC /
               static_cast<double>(state.iterations());
    };
    state.counters["sixpack_us"] = perCall(sixpackTicks);
    state.counters["zlib_us"] = perCall(zlibTicks);
    state.counters["sixpack_per_zlib"] =
        zlibTicks > 0 ? static_cast<double>(sixpackTicks) / static_cast<double>(zlibTicks) : 0.0;
}
BENCHMARK(DecodeBuiltinBlobPerZlibInflate)->Unit(benchmark::kMicrosecond);

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
