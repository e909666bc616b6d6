// The decoder's common path against the general path alone, on generated texts that mix what
// the common path handles itself (characters of one look-up, shifts, designations, size
// controls, spaces, line breaks) with everything it hands over (single shifts, XCS, macros,
// DRCS and mosaic sets, symbol texts, pairs above U+FFFF, cut sequences, stray bytes).
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "arib/tests/decoder_test_support.h"

namespace arib {
namespace {

class ByteSoup {
public:
    explicit ByteSoup(std::uint32_t seed) : state_(seed) {}

    std::vector<std::uint8_t> build(int tokens) {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < tokens; ++i) addToken(bytes);
        return bytes;
    }

private:
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint8_t pick(std::initializer_list<std::uint8_t> bytes) { return bytes.begin()[next() % bytes.size()]; }
    std::uint8_t graphic() { return static_cast<std::uint8_t>((0x21 + next() % 94) | (next() % 2 ? 0x80u : 0u)); }

    void addToken(std::vector<std::uint8_t>& out) {
        const std::uint8_t registerByte = static_cast<std::uint8_t>(0x28 + next() % 4);
        switch (next() % 12) {
            case 0:
            case 1:
            case 2: out.insert(out.end(), {graphic(), graphic()}); break;
            case 3:
                out.push_back(pick({0x0E, 0x0F, 0x19, 0x1D, 0x20, 0x0D, 0x0A, 0x89, 0x8A, 0x08, 0x09, 0x7F}));
                break;
            case 4: out.insert(out.end(), {0x1B, pick({0x6E, 0x6F, 0x7C, 0x7D, 0x7E, 0x24})}); break;
            case 5:  // a one-byte set, DRCS or the macro set into a register
                if (next() % 2)
                    out.insert(out.end(), {0x1B, registerByte, pick({0x30, 0x31, 0x32, 0x36, 0x37, 0x38, 0x49, 0x4A})});
                else
                    out.insert(out.end(), {0x1B, registerByte, 0x20, pick({0x41, 0x42, 0x4F, 0x70, 0x60})});
                break;
            case 6:  // a two-byte set into G0 or another register, DRCS-0 included
                if (next() % 2)
                    out.insert(out.end(), {0x1B, 0x24, pick({0x39, 0x3A, 0x3B, 0x42})});
                else
                    out.insert(out.end(), {0x1B, 0x24, registerByte, pick({0x39, 0x3A, 0x3B, 0x42, 0x20})});
                if (next() % 2) out.push_back(0x40);
                break;
            case 7: out.insert(out.end(), {0x9B, pick({0x30, 0x31, 0x3B}), 0x20, 0x66}); break;  // XCS and others
            case 8: out.insert(out.end(), {0x7A, pick({0x21, 0x50, 0x4D, 0x74})}); break;        // symbol codes
            case 9: out.push_back(pick({0x60, 0x61, 0x6E, 0x6F, 0xE0, 0xE3})); break;            // macro codes
            case 10: out.push_back(static_cast<std::uint8_t>(next())); break;
            default:  // a run of one set: the common path's own loop
                for (std::uint32_t n = next() % 12; n > 0; --n) out.push_back(graphic());
                break;
        }
    }

    std::uint32_t state_;
};

TEST(DecoderPaths, AgreeOnGeneratedTexts) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        const std::vector<std::uint8_t> bytes = ByteSoup(seed).build(static_cast<int>(seed % 40) + 1);
        // A block of the text's exact size, so that a read past the end shows under ASan.
        std::vector<std::uint8_t> exact(bytes);
        exact.shrink_to_fit();
        ASSERT_TRUE(test::pathsAgree(exact.data(), static_cast<int>(exact.size()))) << "seed " << seed;
    }
}

}  // namespace
}  // namespace arib
