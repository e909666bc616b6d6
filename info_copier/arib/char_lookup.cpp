// Look-ups in the character tables: by code in the tables as stored, by character in
// character-ordered copies made on first use.
#include <algorithm>
#include <array>

#include "arib/char_tables.h"

namespace arib {
namespace {

template <std::size_t N>
struct CharacterIndex {
    std::array<CodeMapEntry, N> byUnicode{};

    explicit CharacterIndex(const CodeMapEntry (&table)[N]) {
        for (std::size_t i = 0; i < N; ++i) byUnicode[i] = {table[i].unicode, table[i].code};
        std::sort(byUnicode.begin(), byUnicode.end(),
                  [](const CodeMapEntry& a, const CodeMapEntry& b) { return a.code < b.code; });
    }
};

// Each table gets its copy on its first look-up by character, and only then; the copy is an
// immutable function-local static (its guard is the built flag), so it is thread-compatible.
template <std::size_t N>
std::span<const CodeMapEntry> characterIndexFor(const CodeMapEntry (&table)[N]) {
    static const CharacterIndex<N> index(table);
    return index.byUnicode;
}

// Entries swap their two numbers in a character index, so both searches compare `code`.
std::uint32_t searchByFirst(std::span<const CodeMapEntry> entries, std::uint32_t key) {
    auto it = std::lower_bound(entries.begin(), entries.end(), key,
                               [](const CodeMapEntry& entry, std::uint32_t k) { return entry.code < k; });
    return (it != entries.end() && it->code == key) ? it->unicode : 0;
}

std::span<const CodeMapEntry> characterIndexOf(CodeTable table) {
    switch (table) {
        case CodeTable::Kanji: return characterIndexFor(kanjiTable);
        case CodeTable::KanjiPreference: return characterIndexFor(kanjiPreferenceTable);
        case CodeTable::Plane1Extra: return characterIndexFor(plane1ExtraTable);
        case CodeTable::Plane2: return characterIndexFor(plane2Table);
        case CodeTable::Hiragana: return characterIndexFor(hiraganaTable);
        case CodeTable::Katakana: return characterIndexFor(katakanaTable);
        case CodeTable::KanaCommon: return characterIndexFor(kanaCommonTable);
        case CodeTable::HalfwidthKatakana: return characterIndexFor(halfwidthKatakanaTable);
        case CodeTable::AdditionalSymbol: return characterIndexFor(additionalSymbolTable);
    }
    return {};
}

// Compares `text` with an entry's characters unit by unit as unsigned numbers; they count as
// equal as soon as either ends.
int compareTruncated(std::span<const char16_t> text, const SequenceEntry& entry) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxSequenceUnits); ++i) {
        if (i == text.size() || entry.characters[i] == 0) return 0;
        if (text[i] != entry.characters[i]) return text[i] < entry.characters[i] ? -1 : 1;
    }
    return 0;
}

bool lessByCharacters(const SequenceEntry& a, const SequenceEntry& b) {
    for (int i = 0; i < kMaxSequenceUnits; ++i) {
        if (a.characters[i] != b.characters[i]) return a.characters[i] < b.characters[i];
        if (a.characters[i] == 0) return false;
    }
    return false;
}

template <std::size_t N>
struct TextIndex {
    std::array<SequenceEntry, N> byText{};

    explicit TextIndex(const SequenceEntry (&table)[N]) {
        std::copy(std::begin(table), std::end(table), byText.begin());
        std::sort(byText.begin(), byText.end(), lessByCharacters);
    }
};

template <std::size_t N>
std::span<const SequenceEntry> textIndexFor(const SequenceEntry (&table)[N]) {
    static const TextIndex<N> index(table);
    return index.byText;
}

std::span<const SequenceEntry> textIndexOf(SequenceTable table) {
    switch (table) {
        case SequenceTable::Plane1Sequence: return textIndexFor(plane1SequenceTable);
        case SequenceTable::SymbolString: return textIndexFor(symbolStringTable);
    }
    return {};
}

}  // namespace

std::span<const CodeMapEntry> entriesOf(CodeTable table) {
    switch (table) {
        case CodeTable::Kanji: return kanjiTable;
        case CodeTable::KanjiPreference: return kanjiPreferenceTable;
        case CodeTable::Plane1Extra: return plane1ExtraTable;
        case CodeTable::Plane2: return plane2Table;
        case CodeTable::Hiragana: return hiraganaTable;
        case CodeTable::Katakana: return katakanaTable;
        case CodeTable::KanaCommon: return kanaCommonTable;
        case CodeTable::HalfwidthKatakana: return halfwidthKatakanaTable;
        case CodeTable::AdditionalSymbol: return additionalSymbolTable;
    }
    return {};
}

std::span<const SequenceEntry> entriesOf(SequenceTable table) {
    switch (table) {
        case SequenceTable::Plane1Sequence: return plane1SequenceTable;
        case SequenceTable::SymbolString: return symbolStringTable;
    }
    return {};
}

int sequenceLength(const SequenceEntry& entry) {
    int length = 0;
    while (length < kMaxSequenceUnits && entry.characters[length] != 0) ++length;
    return length;
}

std::uint32_t unicodeForCode(CodeTable table, std::uint32_t code) { return searchByFirst(entriesOf(table), code); }

std::uint32_t codeForUnicode(CodeTable table, std::uint32_t unicode) {
    if (unicode == 0) return 0;
    return searchByFirst(characterIndexOf(table), unicode);
}

const SequenceEntry* sequenceForCode(SequenceTable table, std::uint32_t code) {
    auto entries = entriesOf(table);
    auto it = std::lower_bound(entries.begin(), entries.end(), code,
                               [](const SequenceEntry& entry, std::uint32_t k) { return entry.code < k; });
    return (it != entries.end() && it->code == code) ? &*it : nullptr;
}

SequenceMatch matchSequenceAt(SequenceTable table, std::span<const char16_t> text) {
    if (text.empty()) return {};
    auto entries = textIndexOf(table);
    auto it = std::lower_bound(
        entries.begin(), entries.end(), text,
        [](const SequenceEntry& entry, std::span<const char16_t> t) { return compareTruncated(t, entry) > 0; });
    if (it == entries.end() || compareTruncated(text, *it) != 0) return {};
    int length = sequenceLength(*it);
    if (text.size() < static_cast<std::size_t>(length)) return {};
    return {it->code, length};
}

std::uint32_t kanjiCodeForUnicode(std::uint32_t unicode) {
    if (std::uint32_t code = codeForUnicode(CodeTable::KanjiPreference, unicode)) return code;
    return codeForUnicode(CodeTable::Kanji, unicode);
}

}  // namespace arib
