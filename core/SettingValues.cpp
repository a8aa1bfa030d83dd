// The value rules of the configuration file: integers, flags and sizes.
#include "SettingValues.h"

#include <windows.h>

#include <algorithm>
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

// Optional sign, then decimal digits, or hex digits after "$", "0x" or "0X". Decimal must fit
// int32; hex may use all 32 bits and wraps ($FFFFFFFF is -1). Anything else is unreadable.
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

// Optional sign and decimal digits, exact over the whole int64 range; none when it does not fit.
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

// Blanks around allowed, optional sign, digits with at most one decimal separator, optional
// exponent. Truncated toward zero in exact decimal arithmetic (no floating-point rounding);
// none when unreadable or outside the int64 range.
std::optional<int64_t> ReadSize(const std::string& text, char decimalSeparator) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    size_t pos = begin;
    const bool negative = pos < end && text[pos] == '-';
    if (pos < end && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    std::string digits;
    while (pos < end && IsDigit(text[pos]))
        digits += text[pos++];
    size_t fractionDigits = 0;
    if (pos < end && text[pos] == decimalSeparator) {
        ++pos;
        for (; pos < end && IsDigit(text[pos]); ++pos, ++fractionDigits)
            digits += text[pos];
    }
    if (digits.empty())
        return std::nullopt;
    // The exponent, held within a bound far beyond any 64-bit value's digits.
    long exponent = 0;
    if (pos < end && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        const bool down = pos < end && text[pos] == '-';
        if (pos < end && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        if (pos == end || !IsDigit(text[pos]))
            return std::nullopt;
        for (; pos < end && IsDigit(text[pos]); ++pos)
            exponent = std::min(exponent * 10 + (text[pos] - '0'), 100000L);
        if (down)
            exponent = -exponent;
    }
    if (pos != end)
        return std::nullopt;

    // The value is digits x 10^(exponent - fractionDigits).
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    const long shift = exponent - static_cast<long>(fractionDigits);
    if (shift >= 0) {
        if (!digits.empty() && digits.size() + static_cast<size_t>(shift) > 19)
            return std::nullopt;
        digits.append(digits.empty() ? 0 : static_cast<size_t>(shift), '0');
    } else {
        const long kept = static_cast<long>(digits.size()) + shift;
        digits.resize(kept > 0 ? static_cast<size_t>(kept) : 0);
    }
    if (digits.empty())
        return 0;
    return ParseWholeNumber((negative ? "-" : "") + digits);
}

} // namespace

// Only a value unreadable with the user's separator is read again with a point: "2210.5" means
// the same everywhere, and whatever reads with the user's separator keeps its meaning.
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
