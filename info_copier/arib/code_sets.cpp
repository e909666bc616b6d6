// What a graphic character of each set yields.
#include "arib/code_sets.h"
#include "arib/char_tables.h"

namespace arib {
namespace {

constexpr char16_t kReplacementCharacter = u'?';

void emitSequence(const SequenceEntry& entry, DecoderOutput& output) {
    output.emitUnits(entry.characters, sequenceLength(entry));
}

// Appends "%.2d" of `value` (a minus sign, then at least two digits).
int appendTwoDigits(char16_t* text, int length, int value) {
    if (value < 0) {
        text[length++] = u'-';
        value = -value;
    }
    if (value >= 100) text[length++] = static_cast<char16_t>(u'0' + value / 100 % 10);
    text[length++] = static_cast<char16_t>(u'0' + value / 10 % 10);
    text[length++] = static_cast<char16_t>(u'0' + value % 10);
    return length;
}

// An additional symbol that has neither a character nor a text is written as "[#rr#cc]".
void emitRowCellText(std::uint32_t code, DecoderOutput& output) {
    char16_t text[kMaxSequenceUnits];
    int length = 0;
    text[length++] = u'[';
    text[length++] = u'#';
    length = appendTwoDigits(text, length, static_cast<int>(code >> 8) - 0x20);
    text[length++] = u'#';
    length = appendTwoDigits(text, length, static_cast<int>(code & 0xFF) - 0x20);
    text[length++] = u']';
    output.emitUnits(text, length);
}

std::uint32_t lookUp(const std::array<std::uint32_t, kCellsPerRow * kCellsPerRow>& index, std::uint32_t code) {
    int slot = twoByteSlot(code);
    return slot < 0 ? 0 : index[static_cast<std::size_t>(slot)];
}

void decodePlane1(std::uint32_t code, const DecodingIndexes& indexes, DecoderOutput& output) {
    if (std::uint32_t unicode = lookUp(indexes.plane1, code)) {
        output.emit(unicode);
    } else if (const SequenceEntry* sequence = sequenceForCode(SequenceTable::Plane1Sequence, code)) {
        emitSequence(*sequence, output);
    }
}

void decodeAdditionalSymbol(std::uint32_t code, const DecodingIndexes& indexes, DecoderOutput& output) {
    if (std::uint32_t unicode = lookUp(indexes.additionalSymbol, code)) {
        output.emit(unicode);
    } else if (const SequenceEntry* text = sequenceForCode(SequenceTable::SymbolString, code)) {
        emitSequence(*text, output);
    } else {
        emitRowCellText(code, output);
    }
}

void decodeTwoByte(CodeSet set, std::uint32_t code, const DecodingIndexes& indexes, DecoderOutput& output) {
    switch (set) {
        case CodeSet::Kanji:
        case CodeSet::JisKanjiPlane1: decodePlane1(code, indexes, output); break;
        case CodeSet::JisKanjiPlane2:
            if (std::uint32_t unicode = lookUp(indexes.plane2, code)) output.emit(unicode);
            break;
        case CodeSet::AdditionalSymbols: decodeAdditionalSymbol(code, indexes, output); break;
        default:  // DRCS-0: a pattern of the broadcaster's own, no character for it
            output.emit(kReplacementCharacter);
            break;
    }
}

void decodeFromTable(const std::array<std::uint32_t, 128>& index, std::uint32_t code, DecoderOutput& output) {
    if (std::uint32_t unicode = index[code & 0x7F]) output.emit(unicode);
}

void decodeOneByte(CodeSet set, std::uint32_t code, const DecodingIndexes& indexes, DecoderOutput& output) {
    switch (set) {
        case CodeSet::Alphanumeric:
        case CodeSet::ProportionalAlphanumeric: output.emit(code); break;
        case CodeSet::Hiragana:
        case CodeSet::ProportionalHiragana: decodeFromTable(indexes.hiragana, code, output); break;
        case CodeSet::Katakana:
        case CodeSet::ProportionalKatakana: decodeFromTable(indexes.katakana, code, output); break;
        case CodeSet::JisX0201Katakana: decodeFromTable(indexes.halfwidthKatakana, code, output); break;
        default:  // mosaic and one-byte DRCS sets: graphics with no character
            output.emit(kReplacementCharacter);
            break;
    }
}

}  // namespace

std::size_t decodeGraphicCharacter(CodeSet set, std::span<const std::uint8_t> bytes, const DecodingIndexes& indexes,
                                   DecoderOutput& output) {
    std::uint32_t first = bytes[0] & 0x7Fu;
    if (!isTwoByteSet(set)) {
        decodeOneByte(set, first, indexes, output);
        return 1;
    }
    if (bytes.size() < 2) return bytes.size();
    // The second byte counts whatever its value, even in the other half or a control range.
    decodeTwoByte(set, first << 8 | (bytes[1] & 0x7Fu), indexes, output);
    return 2;
}

}  // namespace arib
