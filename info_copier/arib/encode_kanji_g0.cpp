// Strategy "kanji G0": G0 keeps kanji, so kanji and kana through the kanji set never need a
// designation; plane 1, plane 2 and additional symbols are designated into G1. Additional
// symbols that only alphanumerics, controls and further symbols follow may take G0 instead,
// since no character that needs kanji in G0 comes after them.
#include "arib/encoder_emission.h"
#include "arib/encoder_strategies.h"

namespace arib {
namespace {

bool fitsSymbolTail(CharClass charClass) {
    return charClass == CharClass::AdditionalSymbol || charClass == CharClass::ControlOrSpace ||
           charClass == CharClass::Alphanumeric;
}

// Where the tail of the text begins in which every character is an additional symbol, an
// alphanumeric or a control. Found by one scan on first need; later questions at later
// positions of the same walk are answered from it.
class SymbolTail {
public:
    explicit SymbolTail(const TextClassifier& text) : text_(text) {}

    bool startsAtOrBefore(int position) {
        if (start_ < 0) {
            start_ = position;
            for (int at = position; at < text_.length();) {
                const ClassifiedCharacter c = text_.at(at);
                at += c.units;
                if (!fitsSymbolTail(c.charClass)) start_ = at;
            }
        }
        return position >= start_;
    }

private:
    const TextClassifier& text_;
    int start_ = -1;
};

void emitAdditionalSymbol(EncoderWriter& writer, std::uint16_t code, SymbolTail& tail, int position) {
    constexpr std::uint8_t symbols = finalByte(CharClass::AdditionalSymbol);
    AribEncoderState& state = writer.state();
    if (state.G0 == symbols) {
        writer.lockingShift0();
    } else if (state.G1 == symbols) {
        writer.lockingShift1();
    } else if (tail.startsAtOrBefore(position)) {
        writer.forceDesignateG0(symbols);
        writer.lockingShift0();
    } else {
        writer.lockingShift1();
        writer.normalSize();
        writer.designateTwoByteG1(symbols);
        writer.putTwoByte(code);
        return;
    }
    writer.normalSize();
    writer.putTwoByte(code);
}

}  // namespace

void codeKanjiG0(EncoderOutput& output, const char16_t* src, int srcLength, bool sizeControls) {
    EncoderWriter writer(output, sizeControls);
    const TextClassifier text(src, srcLength);
    SymbolTail tail(text);
    int position = 0;
    while (position < srcLength) {
        const ClassifiedCharacter c = text.at(position);
        switch (c.charClass) {
        case CharClass::ControlOrSpace:
            emitControlOrSpace(writer, c.codePoint);
            break;
        case CharClass::KanaCommon:
            emitKanaCommon(writer, c.code);
            break;
        case CharClass::Hiragana:
        case CharClass::Katakana:
            emitKana(writer, text, position, c, KanjiInG0::AlwaysThere);
            break;
        case CharClass::Kanji:
            writer.lockingShift0();
            writer.normalSize();
            writer.putTwoByte(c.code);
            break;
        case CharClass::Plane1:
        case CharClass::Plane2:
            writer.lockingShift1();
            writer.normalSize();
            writer.designateTwoByteG1(finalByte(c.charClass));
            writer.putTwoByte(c.code);
            break;
        case CharClass::AdditionalSymbol:
            emitAdditionalSymbol(writer, c.code, tail, position);
            break;
        case CharClass::Alphanumeric:
        case CharClass::HalfwidthKatakana:
            emitOneByteSet(writer, c.charClass, c.code);
            break;
        case CharClass::None:
            break;
        }
        position += c.units;
    }
}

int encodeAribTextKanjiG0(std::uint8_t* dst, int dstCapacity, const char16_t* src, int srcLength, bool sizeControls) {
    EncoderOutput output(dst, dstCapacity);
    if (src != nullptr) codeKanjiG0(output, src, srcLength, sizeControls);
    return output.finish();
}

}  // namespace arib
