// How a configuration file's UTF-8 text reads in the user's ANSI code page.
#include "EncodingExample.h"

namespace {

std::string Hex(unsigned value, int digits) {
    std::string text(digits, '0');
    for (int i = digits; i-- > 0; value >>= 4)
        text[i] = "0123456789ABCDEF"[value & 15];
    return text;
}

// "" when the code page lacks the character: a best-fit look-alike would name the wrong one.
std::string InCodePage(const std::wstring& character, UINT codePage) {
    BOOL lost = FALSE;
    char ansi[8] = {};
    const int size =
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, character.data(),
                            static_cast<int>(character.size()), ansi, sizeof ansi, nullptr, &lost);
    return size > 0 && !lost ? std::string(ansi, size) : std::string();
}

} // namespace

std::string Utf8Example(const std::string& line, UINT codePage) {
    size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) < 0x80)
        ++start;
    size_t end = start + 1;
    while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
        ++end;
    if (start >= line.size())
        return "";
    std::wstring character(2, L'\0');
    character.resize(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, line.data() + start,
                                         static_cast<int>(end - start), character.data(), 2));
    if (character.empty())
        return "";

    std::string bytes;
    for (size_t i = start; i < end; ++i)
        bytes += (bytes.empty() ? "" : " ") + Hex(static_cast<unsigned char>(line[i]), 2);
    const std::string shown = InCodePage(character, codePage);
    if (!shown.empty())
        return bytes + " for \"" + shown + "\"";
    const unsigned point = character.size() == 2
                               ? 0x10000 + ((character[0] - 0xD800) << 10) + (character[1] - 0xDC00)
                               : character[0];
    return bytes + " for U+" + Hex(point, point > 0xFFFF ? 5 : 4);
}
