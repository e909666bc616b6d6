#include "app/line_breaks.h"

namespace app {

int expandLineBreaks(const char16_t* text, int length, char16_t* out) {
    int count = 0;
    auto put = [&](char16_t unit) {
        if (count < kExpandedTextCapacity) out[count++] = unit;
    };
    for (int i = 0; i < length; ++i) {
        if (text[i] == u'\\' && i + 1 < length && text[i + 1] == u'n') {
            put(u'\r');
            put(u'\n');
            ++i;
        } else {
            put(text[i]);
        }
    }
    if (count < kExpandedTextCapacity) out[count] = 0;
    return count;
}

}  // namespace app
