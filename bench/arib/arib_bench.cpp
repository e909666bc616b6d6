// Throughput of decodeAribText and encodeAribText on synthetic programme texts, with glibc
// iconv converting the same texts between EUC-JISX0213 (EUC-JIS-2004) and UTF-16 as the
// reference, timed in the same run and called text by text like the codec.
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "arib/arib_text.h"
#include "programme_corpus.h"

namespace {

constexpr int fieldCapacity = 8192;
constexpr int workUnits = 0x10000;

using Clock = std::chrono::steady_clock;

// Seconds per pass over the corpus: repeats it until at least 0.1 s have passed.
double secondsPerPass(const std::function<void()>& pass) {
    int passes = 0;
    auto start = Clock::now();
    double elapsed = 0;
    do {
        pass();
        ++passes;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < 0.1);
    return elapsed / passes;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The codec and its reference timed in alternating pairs, so that both see the same machine
// load; the medians of the times and of the pairwise ratios (reference time / codec time).
struct Comparison {
    double codecSeconds, referenceSeconds, ratio;
};

Comparison compare(const std::function<void()>& codec, const std::function<void()>& reference) {
    std::vector<double> codecTimes, referenceTimes, ratios;
    for (int round = 0; round < 9; ++round) {
        double codecTime = secondsPerPass(codec);
        double referenceTime = secondsPerPass(reference);
        codecTimes.push_back(codecTime);
        referenceTimes.push_back(referenceTime);
        ratios.push_back(referenceTime / codecTime);
    }
    return {median(codecTimes), median(referenceTimes), median(ratios)};
}

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(handle_);
    }
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    // Converts `size` bytes into `out`; answers the bytes written, or -1 on a conversion error.
    long convert(const char* in, std::size_t size, char* out, std::size_t room) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in);
        char* target = out;
        std::size_t left = size, free = room;
        if (iconv(handle_, &source, &left, &target, &free) == static_cast<std::size_t>(-1)) return -1;
        return static_cast<long>(room - free);
    }

private:
    iconv_t handle_;
};

double megabytesPerSecond(std::size_t bytes, double seconds) { return static_cast<double>(bytes) / seconds / 1e6; }

}  // namespace

// With "decode N" or "encode N": only N passes of that direction, untimed, for instruction
// counts under a profiler (valgrind --tool=callgrind). With "euc PATH": writes the texts in
// EUC-JIS-2004 for the Python reference (python_reference.py) and stops.
int main(int argc, char** argv) {
    const std::vector<std::u16string> texts = makeProgrammeCorpus(200000, 1);
    std::size_t utf16Bytes = 0;
    for (const auto& text : texts) utf16Bytes += text.size() * 2;

    // The same texts in both codings.
    std::vector<std::vector<std::uint8_t>> arib;
    std::vector<std::string> euc;
    std::size_t aribBytes = 0, eucBytes = 0, roundTripFailures = 0;
    std::vector<char16_t> units(workUnits);
    std::vector<std::uint8_t> coded(fieldCapacity);
    std::vector<char> scratch(4 * fieldCapacity);
    Converter toEuc("EUC-JISX0213", "UTF-16LE"), fromEuc("UTF-16LE", "EUC-JISX0213");
    if (!toEuc.ok() || !fromEuc.ok()) {
        std::printf("iconv has no EUC-JISX0213\n");
        return 1;
    }
    for (const auto& text : texts) {
        int length =
            arib::encodeAribText(coded.data(), fieldCapacity, text.data(), static_cast<int>(text.size()), false);
        arib.emplace_back(coded.begin(), coded.begin() + length);
        aribBytes += static_cast<std::size_t>(length);
        int decoded = arib::decodeAribText(units.data(), workUnits, coded.data(), length);
        if (std::u16string(units.data(), static_cast<std::size_t>(decoded)) != text) ++roundTripFailures;
        long eucLength =
            toEuc.convert(reinterpret_cast<const char*>(text.data()), text.size() * 2, scratch.data(), scratch.size());
        if (eucLength < 0) {
            std::printf("iconv cannot code a corpus text\n");
            return 1;
        }
        euc.emplace_back(scratch.data(), static_cast<std::size_t>(eucLength));
        eucBytes += static_cast<std::size_t>(eucLength);
    }
    if (argc == 3 && std::string(argv[1]) == "euc") {
        // The EUC-JIS-2004 texts for a reference outside this program: each as a 4-byte
        // little-endian length and its bytes.
        std::FILE* file = std::fopen(argv[2], "wb");
        if (file == nullptr) return 1;
        bool written = true;
        for (const auto& text : euc) {
            const auto length = static_cast<std::uint32_t>(text.size());
            const unsigned char prefix[4] = {
                static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
            written = written && std::fwrite(prefix, 1, 4, file) == 4 &&
                      std::fwrite(text.data(), 1, text.size(), file) == text.size();
        }
        return std::fclose(file) == 0 && written ? 0 : 1;
    }
    std::printf("corpus: %zu texts, %zu KB UTF-16, %zu KB ARIB, %zu KB EUC-JIS-2004%s\n", texts.size(),
                utf16Bytes / 1024, aribBytes / 1024, eucBytes / 1024,
                roundTripFailures ? " (the encoder does not round-trip every text yet)" : "");

    long sink = 0;
    if (argc == 3) {
        const std::string direction = argv[1];
        const int passes = std::atoi(argv[2]);
        for (int pass = 0; pass < passes; ++pass) {
            if (direction == "decode") {
                for (const auto& text : arib)
                    sink += arib::decodeAribText(units.data(), workUnits, text.data(), static_cast<int>(text.size()));
            } else if (direction == "encode") {
                for (const auto& text : texts)
                    sink += arib::encodeAribText(coded.data(), fieldCapacity, text.data(),
                                                 static_cast<int>(text.size()), false);
            } else if (direction == "iconv") {
                for (const auto& text : euc)
                    sink += fromEuc.convert(text.data(), text.size(), scratch.data(), scratch.size());
            }
        }
        std::printf("%s: %d passes (%ld)\n", direction.c_str(), passes, sink);
        return 0;
    }
    auto decodePass = [&] {
        for (const auto& text : arib)
            sink += arib::decodeAribText(units.data(), workUnits, text.data(), static_cast<int>(text.size()));
    };
    auto encodePass = [&] {
        for (const auto& text : texts)
            sink +=
                arib::encodeAribText(coded.data(), fieldCapacity, text.data(), static_cast<int>(text.size()), false);
    };
    Comparison decode = compare(decodePass, [&] {
        for (const auto& text : euc) sink += fromEuc.convert(text.data(), text.size(), scratch.data(), scratch.size());
    });
    Comparison encode = compare(encodePass, [&] {
        for (const auto& text : texts)
            sink += toEuc.convert(reinterpret_cast<const char*>(text.data()), text.size() * 2, scratch.data(),
                                  scratch.size());
    });
    // The encoder against the decoder in pairs of their own, like the others: the two
    // comparisons above run seconds apart, and this machine's speed can change in between.
    Comparison encodeAgainstDecode = compare(encodePass, decodePass);

    // Rates are of the UTF-16 text, the same for the codec and the reference.
    std::printf("%-34s %10s %10s\n", "(medians of 9 alternating pairs)", "MB/s", "vs iconv");
    std::printf("%-34s %10.1f %9.2fx\n", "decodeAribText (ARIB -> UTF-16)",
                megabytesPerSecond(utf16Bytes, decode.codecSeconds), decode.ratio);
    std::printf("%-34s %10.1f\n", "iconv EUC-JIS-2004 -> UTF-16",
                megabytesPerSecond(utf16Bytes, decode.referenceSeconds));
    std::printf("%-34s %10.1f %9.2fx\n", "encodeAribText (UTF-16 -> ARIB)",
                megabytesPerSecond(utf16Bytes, encode.codecSeconds), encode.ratio);
    std::printf("%-34s %10.1f\n", "iconv UTF-16 -> EUC-JIS-2004",
                megabytesPerSecond(utf16Bytes, encode.referenceSeconds));
    std::printf("decoder vs iconv: %.2fx (goal >= 1); encoder vs decoder: %.2f (goal >= 0.33)\n", decode.ratio,
                encodeAgainstDecode.ratio);
    if (sink == 0) std::printf("(nothing converted)\n");
    return 0;
}
