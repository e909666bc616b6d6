// Register state of the encoder and the shifts, size controls and designations it emits.
//
// The state starts as the decoder's initial state (G0 kanji, G1 alphanumeric, G2 hiragana,
// G3 katakana, GL = G0, GR = G2), so coded text needs no designation at its start. G2 and G3
// are never designated; only GR is switched between them.
#pragma once

#include <cstdint>

#include "arib/char_class.h"
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

namespace byteOf {
constexpr std::uint8_t LS0 = 0x0F;
constexpr std::uint8_t LS1 = 0x0E;
constexpr std::uint8_t ESC = 0x1B;
constexpr std::uint8_t MSZ = 0x89;
constexpr std::uint8_t NSZ = 0x8A;
constexpr std::uint8_t LS2R = 0x7D;  // after ESC
constexpr std::uint8_t LS3R = 0x7C;  // after ESC
constexpr std::uint8_t twoByteSet = 0x24;
constexpr std::uint8_t toG1 = 0x29;
constexpr std::uint8_t GR = 0x80;  // a kana code goes to the right half
}  // namespace byteOf

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
    void putGR(std::uint16_t code) { out_.put(static_cast<std::uint8_t>(code | byteOf::GR)); }

    void lockingShift0() {
        if (state_.GL != 0) {
            put(byteOf::LS0);
            state_.GL = 0;
        }
    }
    void lockingShift1() {
        if (state_.GL != 1) {
            put(byteOf::LS1);
            state_.GL = 1;
        }
    }
    void normalSize() {
        if (sizeControls_ && !state_.sizeNormal) {
            put(byteOf::NSZ);
            state_.sizeNormal = true;
        }
    }
    void middleSize() {
        if (sizeControls_ && state_.sizeNormal) {
            put(byteOf::MSZ);
            state_.sizeNormal = false;
        }
    }
    void invokeHiraganaIntoGR() {
        out_.put(byteOf::ESC, byteOf::LS2R);
        state_.GR = 2;
    }
    void invokeKatakanaIntoGR() {
        out_.put(byteOf::ESC, byteOf::LS3R);
        state_.GR = 3;
    }

    // ESC 0x24 F: a two-byte set into G0.
    void designateG0(std::uint8_t finalByte) {
        if (state_.G0 != finalByte) forceDesignateG0(finalByte);
    }
    void forceDesignateG0(std::uint8_t finalByte) {
        out_.put(byteOf::ESC, byteOf::twoByteSet, finalByte);
        state_.G0 = finalByte;
    }
    // ESC 0x24 0x29 F: a two-byte set into G1.
    void designateTwoByteG1(std::uint8_t finalByte) {
        if (state_.G1 == finalByte) return;
        out_.put(byteOf::ESC, byteOf::twoByteSet);
        out_.put(byteOf::toG1, finalByte);
        state_.G1 = finalByte;
    }
    // ESC 0x29 F: a one-byte set into G1.
    void designateOneByteG1(std::uint8_t finalByte) {
        if (state_.G1 == finalByte) return;
        out_.put(byteOf::ESC, byteOf::toG1, finalByte);
        state_.G1 = finalByte;
    }

private:
    EncoderOutput out_;
    EncoderOutput& home_;
    bool sizeControls_;
    AribEncoderState state_;
};

}  // namespace arib
