// Register state of the encoder and the shifts, size controls and designations it emits.
//
// The state starts as the decoder's initial state (G0 kanji, G1 alphanumeric, G2 hiragana,
// G3 katakana, GL = G0, GR = G2), so coded text needs no designation at its start. G2 and G3
// are never designated; only GR is switched between them.
#pragma once

#include <cstdint>

#include "arib/char_class.h"
#include "arib/control_set.h"
#include "arib/encoder_output.h"

namespace arib {

struct AribEncoderState {
    int GL = 0;
    int GR = 2;
    std::uint8_t G0 = finalByte(CharClass::Kanji);
    std::uint8_t G1 = finalByte(CharClass::Alphanumeric);
    bool sizeNormal = true;

    // A kanji is then nothing but its two bytes.
    bool readyForKanji() const { return GL == 0 && sizeNormal && G0 == finalByte(CharClass::Kanji); }
};

// A kana code goes to the right half: its byte with the top bit set.
inline constexpr std::uint8_t kRightHalf = 0x80;

// One strategy run: the state, the output and whether size controls are written.
class EncoderWriter {
public:
    // Writes into a copy of `output`, held in the writer itself so that every byte reaches it
    // without going through a pointer; the copy is handed back when the writer goes.
    EncoderWriter(EncoderOutput& output, bool sizeControls)
        : out_(output), home_(output), sizeControls_(sizeControls) {}
    ~EncoderWriter() { home_ = out_; }
    EncoderWriter(const EncoderWriter&) = delete;
    EncoderWriter& operator=(const EncoderWriter&) = delete;

    AribEncoderState& state() { return state_; }
    EncoderOutput& output() { return out_; }
    void put(std::uint8_t byte) { out_.put(byte); }
    void putTwoByte(std::uint16_t code) {
        out_.put(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF));
    }
    void putGR(std::uint16_t code) { out_.put(static_cast<std::uint8_t>(code | kRightHalf)); }

    void lockingShift0() {
        if (state_.GL != 0) {
            put(c0::LS0);
            state_.GL = 0;
        }
    }
    void lockingShift1() {
        if (state_.GL != 1) {
            put(c0::LS1);
            state_.GL = 1;
        }
    }
    void normalSize() {
        if (sizeControls_ && !state_.sizeNormal) {
            put(c1::NSZ);
            state_.sizeNormal = true;
        }
    }
    void middleSize() {
        if (sizeControls_ && state_.sizeNormal) {
            put(c1::MSZ);
            state_.sizeNormal = false;
        }
    }
    void invokeHiraganaIntoGR() {
        out_.put(c0::ESC, esc::LS2R);
        state_.GR = 2;
    }
    void invokeKatakanaIntoGR() {
        out_.put(c0::ESC, esc::LS3R);
        state_.GR = 3;
    }

    // ESC 0x24 F: a two-byte set into G0.
    void designateG0(std::uint8_t finalByte) {
        if (state_.G0 != finalByte) forceDesignateG0(finalByte);
    }
    void forceDesignateG0(std::uint8_t finalByte) {
        out_.put(c0::ESC, designation::kTwoByteSet, finalByte);
        state_.G0 = finalByte;
    }
    // ESC 0x24 0x29 F: a two-byte set into G1.
    void designateTwoByteG1(std::uint8_t finalByte) {
        if (state_.G1 == finalByte) return;
        out_.put(c0::ESC, designation::kTwoByteSet);
        out_.put(designation::kToG1, finalByte);
        state_.G1 = finalByte;
    }
    // ESC 0x29 F: a one-byte set into G1.
    void designateOneByteG1(std::uint8_t finalByte) {
        if (state_.G1 == finalByte) return;
        out_.put(c0::ESC, designation::kToG1, finalByte);
        state_.G1 = finalByte;
    }

private:
    EncoderOutput out_;
    EncoderOutput& home_;
    bool sizeControls_;
    AribEncoderState state_;
};

}  // namespace arib
