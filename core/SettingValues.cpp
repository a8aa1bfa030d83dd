// The value rules of the configuration file: integers, flags and sizes.
#include "Installmanager.h"

#include <cmath>
#include <cstdlib>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

// An optional sign, then decimal digits or hexadecimal digits after "$", "0x"
// or "0X". Decimal values must fit a signed 32-bit integer; hexadecimal ones
// may use all 32 bits and wrap ($FFFFFFFF is -1). Anything else is unreadable.
int32_t ParseIntegerSetting(const std::string& text, int32_t defaultValue) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    bool hex = false;
    if (pos < text.size() && text[pos] == '$') {
        hex = true;
        pos += 1;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    if (pos >= text.size())
        return defaultValue;

    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hex ? HexValue(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0)
            return defaultValue;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return defaultValue;
    }
    if (hex) {
        const uint32_t bits = static_cast<uint32_t>(value);
        const int32_t result = static_cast<int32_t>(bits);
        return negative ? static_cast<int32_t>(0u - bits) : result;
    }
    if (negative)
        return value > 2147483648ull ? defaultValue
                                     : static_cast<int32_t>(-static_cast<int64_t>(value));
    return value > 2147483647ull ? defaultValue : static_cast<int32_t>(value);
}

bool ParseFlagSetting(const std::string& text) {
    return ParseIntegerSetting(text, 0) != 0;
}

// A floating-point number: blanks around it allowed, an optional sign, digits
// with at most one decimal separator (the regional one), an optional exponent.
// Truncated toward zero; values outside the signed 64-bit range are
// unreadable like any other and give 0.
int64_t ParseSizeSetting(const std::string& text, char decimalSeparator) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (begin == end)
        return 0;

    // Rewrite into the C locale's form, checking the shape on the way, so
    // that strtod sees nothing it would read differently (hex, inf, nan).
    std::string number;
    size_t pos = begin;
    if (text[pos] == '+' || text[pos] == '-')
        number += text[pos++];
    int mantissaDigits = 0;
    while (pos < end && IsDigit(text[pos])) {
        number += text[pos++];
        ++mantissaDigits;
    }
    if (pos < end && text[pos] == decimalSeparator) {
        number += '.';
        ++pos;
        while (pos < end && IsDigit(text[pos])) {
            number += text[pos++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (pos < end && (text[pos] == 'e' || text[pos] == 'E')) {
        number += 'e';
        ++pos;
        if (pos < end && (text[pos] == '+' || text[pos] == '-'))
            number += text[pos++];
        int exponentDigits = 0;
        while (pos < end && IsDigit(text[pos])) {
            number += text[pos++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return 0;
    }
    if (pos != end)
        return 0;

    const double value = std::trunc(std::strtod(number.c_str(), nullptr));
    // 2^63 is the first value past the range; -2^63 itself fits.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        return 0;
    return static_cast<int64_t>(value);
}

char UserDecimalSeparator() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
        return buffer[0];
    return '.';
}
