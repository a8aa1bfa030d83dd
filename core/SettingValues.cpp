// The value rules of the configuration file: integers, flags and sizes.
#include "Installmanager.h"

#include <cmath>
#include <cstdlib>
#include <optional>

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

namespace {

// A whole number of decimal digits with an optional sign, read exactly over
// the whole signed 64-bit range; none when it does not fit.
std::optional<int64_t> ParseWholeNumber(const std::string& number) {
    size_t pos = 0;
    const bool negative = number[0] == '-';
    if (number[0] == '+' || number[0] == '-')
        ++pos;
    const uint64_t limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    uint64_t value = 0;
    for (; pos < number.size(); ++pos) {
        const auto digit = static_cast<uint64_t>(number[pos] - '0');
        if (value > (limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
}

// A floating-point number: blanks around it allowed, an optional sign, digits
// with at most one decimal separator, an optional exponent. Truncated toward
// zero; none when unreadable or outside the signed 64-bit range.
std::optional<int64_t> ReadSize(const std::string& text, char decimalSeparator) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    if (begin == end)
        return std::nullopt;

    // Rewrite into the C locale's form, checking the shape on the way, so
    // that strtod sees nothing it would read differently (hex, inf, nan).
    std::string number;
    size_t pos = begin;
    if (text[pos] == '+' || text[pos] == '-')
        number += text[pos++];
    int mantissaDigits = 0;
    bool whole = true;
    while (pos < end && IsDigit(text[pos])) {
        number += text[pos++];
        ++mantissaDigits;
    }
    if (pos < end && text[pos] == decimalSeparator) {
        whole = false;
        number += '.';
        ++pos;
        while (pos < end && IsDigit(text[pos])) {
            number += text[pos++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (pos < end && (text[pos] == 'e' || text[pos] == 'E')) {
        whole = false;
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
            return std::nullopt;
    }
    if (pos != end)
        return std::nullopt;
    // A double holds integers exactly only up to 2^53.
    if (whole)
        return ParseWholeNumber(number);

    const double value = std::trunc(std::strtod(number.c_str(), nullptr));
    // 2^63 is the first value past the range; -2^63 itself fits.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        return std::nullopt;
    return static_cast<int64_t>(value);
}

} // namespace

// Read with the user's decimal separator; only a value unreadable that way is
// read again with a point, so "2210.5" means the same on every machine while
// every value that reads with the user's separator keeps its meaning.
int64_t ParseSizeSetting(const std::string& text, char decimalSeparator) {
    std::optional<int64_t> size = ReadSize(text, decimalSeparator);
    if (!size && decimalSeparator != '.')
        size = ReadSize(text, '.');
    return size.value_or(0);
}

char UserDecimalSeparator() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
        return buffer[0];
    return '.';
}
