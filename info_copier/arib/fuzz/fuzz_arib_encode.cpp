// libFuzzer driver for encodeAribText: random UTF-16 text (lone surrogates included), a random
// capacity and size controls on or off. Besides memory safety it checks the output rule: the
// result equals the measuring run's, stays within the capacity, nothing is stored at or past
// the capacity or after the terminator, the terminator is stored exactly when the result is
// below the capacity, and a cut text is the start of one strategy's whole coding. The kana
// decisions carried over from question to question must equal fresh ones.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "arib/arib_text.h"
#include "arib/encoder_strategies.h"
#include "arib/kana_decision.h"

namespace {

// Units that make the interesting text forms likely: bracketed symbol and row/cell texts, kana
// runs of both sets, characters held by several tables, surrogates of both halves, controls.
constexpr char16_t kAlphabet[] = {u'[',   u']',   u'#',   u'0',   u'1',   u'9',   u'H',   u'V',   u'S',   u'P',
                                  u' ',   u'\n',  u'\r',  u'\t',  0x0008, 0x007F, 0x3042, 0x304B, 0x30A2, 0x30AB,
                                  0x309A, 0x30FC, 0x3002, 0x307B, 0x624B, 0x4E9C, 0xFF21, 0xFF71, 0xFF5E, 0x203E,
                                  0xFFE3, 0x2491, 0x02E9, 0x02E5, 0xD840, 0xDC89, 0xD800, 0xDC00, 0xDBFF, 0xDFFF,
                                  0x0000, 0xE000, 0x00E6, 0x0300, u'A',   u'~'};
constexpr std::uint8_t kSentinel = 0xA5;

[[noreturn]] void fail() { std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int capacity = static_cast<int>((data[0] | data[1] << 8) % 1300) - 1;
    const bool sizeControls = data[2] & 1;
    const bool fromAlphabet = data[2] & 2;
    data += 3;
    size -= 3;

    std::vector<char16_t> text;
    if (fromAlphabet) {
        for (std::size_t i = 0; i < size; ++i) text.push_back(kAlphabet[data[i] % std::size(kAlphabet)]);
    } else {
        for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    const int length = static_cast<int>(text.size());

    const int room = std::max(capacity, 0);
    std::vector<std::uint8_t> dst(static_cast<std::size_t>(room) + 16, kSentinel);
    const int result = arib::encodeAribText(dst.data(), capacity, text.data(), length, sizeControls);
    const int measured = arib::encodeAribText(nullptr, capacity, text.data(), length, sizeControls);
    if (result != measured || result < 0 || result > room) fail();
    if (result < room && dst[static_cast<std::size_t>(result)] != 0) fail();
    const std::size_t untouchedFrom = static_cast<std::size_t>(result < room ? result + 1 : room);
    for (std::size_t i = untouchedFrom; i < dst.size(); ++i)
        if (dst[i] != kSentinel) fail();

    // The stored bytes are the start of one strategy's whole coding; a whole coding that fits
    // is stored whole.
    const int sharedLength = arib::encodeAribTextSharedG0(nullptr, 1 << 30, text.data(), length, sizeControls);
    const int kanjiLength = arib::encodeAribTextKanjiG0(nullptr, 1 << 30, text.data(), length, sizeControls);
    std::vector<std::uint8_t> shared(static_cast<std::size_t>(sharedLength) + 1);
    std::vector<std::uint8_t> kanji(static_cast<std::size_t>(kanjiLength) + 1);
    arib::encodeAribTextSharedG0(shared.data(), sharedLength + 1, text.data(), length, sizeControls);
    arib::encodeAribTextKanjiG0(kanji.data(), kanjiLength + 1, text.data(), length, sizeControls);
    const auto startsWith = [&](const std::vector<std::uint8_t>& whole, int wholeLength) {
        return result <= wholeLength && std::equal(dst.begin(), dst.begin() + result, whole.begin());
    };
    if (!startsWith(shared, sharedLength) && !startsWith(kanji, kanjiLength)) fail();
    if (std::min(sharedLength, kanjiLength) <= room && result != std::min(sharedLength, kanjiLength)) fail();
    if (result < room && result != std::min(sharedLength, kanjiLength)) fail();

    const arib::TextClassifier classifier(text.data(), length);
    arib::KanaDecisionLog carried;
    int gr = 2;
    for (int position = 0; position < length;) {
        const arib::ClassifiedCharacter c = classifier.at(position);
        const int kanaRegister = c.charClass == arib::CharClass::Hiragana ? 2 : 3;
        if (arib::isKanaClass(c.charClass) && gr != kanaRegister) {
            const bool fresh = arib::shouldInvokeKanaSet(classifier, position, c.charClass);
            if (carried.decide(classifier, position, c.charClass) != fresh) fail();
            if (fresh) gr = kanaRegister;
        }
        position += c.units;
    }
    return 0;
}
