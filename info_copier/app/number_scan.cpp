#include "app/number_scan.h"

#include <climits>

namespace app {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Reads digits of `base` from `p`; answers the saturated magnitude and how many were read.
long long readDigits(const char*& p, int base, int& digits) {
    long long value = 0;
    digits = 0;
    for (int d; (d = digitValue(*p)) < base; ++p, ++digits) {
        value = value > (LLONG_MAX - d) / base ? LLONG_MAX : value * base + d;
    }
    return value;
}

const char* skipSpaceAndSign(const char* p, bool& negative) {
    while (isSpace(*p)) ++p;
    negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    return p;
}

long long applySign(long long magnitude, bool negative) { return negative ? -magnitude : magnitude; }

}  // namespace

long long parseDecimal(const char* text) {
    bool negative;
    const char* p = skipSpaceAndSign(text, negative);
    int digits;
    return applySign(readDigits(p, 10, digits), negative);
}

long long parsePrefixed(const char* text) {
    bool negative;
    const char* p = skipSpaceAndSign(text, negative);
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digitValue(p[2]) < 16) {
        base = 16;
        p += 2;
    } else if (p[0] == '0') {
        base = 8;
    }
    int digits;
    return applySign(readDigits(p, base, digits), negative);
}

bool scanSeparatedNumbers(const char* text, char separator, int count, long long* values) {
    const char* p = text;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && *p++ != separator) return false;
        bool negative;
        p = skipSpaceAndSign(p, negative);
        int digits;
        values[i] = applySign(readDigits(p, 10, digits), negative);
        if (digits == 0) return false;
    }
    return true;
}

}  // namespace app
