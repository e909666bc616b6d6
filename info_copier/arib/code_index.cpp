// Decoding look-ups of the two-byte sets through code-indexed arrays. Each array holds, for
// every row/cell, the first hit of the set's table order, so it answers exactly what the
// binary searches in that order answer, with one memory access.
#include <array>

#include "arib/char_tables.h"

namespace arib {
namespace {

constexpr int rowsPerPlane = 94;
using CodeIndex = std::array<std::uint32_t, rowsPerPlane * rowsPerPlane>;

// Slot of a two-byte code, or -1 when a byte lies outside 0x21..0x7E.
int slotOf(std::uint32_t code) {
    std::uint32_t first = code >> 8, second = code & 0xFF;
    if (first < 0x21 || first > 0x7E || second < 0x21 || second > 0x7E) return -1;
    return static_cast<int>((first - 0x21) * rowsPerPlane + (second - 0x21));
}

template <typename Search>
CodeIndex buildIndex(Search search) {
    CodeIndex index{};
    for (std::uint32_t first = 0x21; first <= 0x7E; ++first)
        for (std::uint32_t second = 0x21; second <= 0x7E; ++second) {
            std::uint32_t code = first << 8 | second;
            index[static_cast<std::size_t>(slotOf(code))] = search(code);
        }
    return index;
}

std::uint32_t firstHit(std::uint32_t code, std::initializer_list<CodeTable> order) {
    for (CodeTable table : order)
        if (std::uint32_t unicode = unicodeForCode(table, code)) return unicode;
    return 0;
}

std::uint32_t lookUp(const CodeIndex& index, std::uint32_t code) {
    int slot = slotOf(code);
    return slot < 0 ? 0 : index[static_cast<std::size_t>(slot)];
}

}  // namespace

std::uint32_t plane1UnicodeForCode(std::uint32_t code) {
    static const CodeIndex index = buildIndex([](std::uint32_t c) {
        return firstHit(c, {CodeTable::kanjiPreference, CodeTable::kanji, CodeTable::plane1Extra});
    });
    return lookUp(index, code);
}

std::uint32_t plane2UnicodeForCode(std::uint32_t code) {
    static const CodeIndex index = buildIndex([](std::uint32_t c) { return unicodeForCode(CodeTable::plane2, c); });
    return lookUp(index, code);
}

std::uint32_t additionalSymbolUnicodeForCode(std::uint32_t code) {
    static const CodeIndex index = buildIndex([](std::uint32_t c) {
        return firstHit(c, {CodeTable::additionalSymbol, CodeTable::kanjiPreference, CodeTable::kanji});
    });
    return lookUp(index, code);
}

}  // namespace arib
