// Texts of the ANSI code page walked by character.
#include "CharText.h"

#include <cstring>

// IsDBCSLeadByteEx, not CharNextExA/CharPrevExA: one look-up per byte on a counted text (which
// may hold a zero byte). A trail byte can look like a lead byte, so stepping back walks from
// the front. A lead byte that ends the text stands alone.
size_t NextCharacter(const std::string& text, size_t pos, UINT codePage) {
    if (pos + 1 < text.size() && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[pos])))
        return pos + 2;
    return pos + 1;
}

size_t PreviousCharacter(const std::string& text, size_t pos, UINT codePage) {
    size_t previous = std::string::npos;
    for (size_t i = 0; i < pos && i < text.size(); i = NextCharacter(text, i, codePage))
        previous = i;
    return previous;
}

size_t LastCharacter(const std::string& text, UINT codePage) {
    return PreviousCharacter(text, text.size(), codePage);
}

std::string WholeCharacters(const std::string& text, size_t maxBytes, UINT codePage) {
    size_t end = 0;
    for (size_t next; end < text.size() && (next = NextCharacter(text, end, codePage)) <= maxBytes;)
        end = next;
    return text.substr(0, end);
}

bool EndsWithCharacter(const std::string& text, char c, UINT codePage) {
    const size_t last = LastCharacter(text, codePage);
    return last != std::string::npos && last + 1 == text.size() && text[last] == c;
}

namespace {

// True when the character at pos is a single byte found in set.
bool IsOneOf(const std::string& text, size_t pos, size_t next, const char* set) {
    return next == pos + 1 && text[pos] != '\0' && std::strchr(set, text[pos]) != nullptr;
}

} // namespace

size_t FindCharacterOf(const std::string& text, const char* set, size_t from, UINT codePage) {
    for (size_t i = 0; i < text.size();) {
        const size_t next = NextCharacter(text, i, codePage);
        if (i >= from && IsOneOf(text, i, next, set))
            return i;
        i = next;
    }
    return std::string::npos;
}

size_t FindLastCharacterOf(const std::string& text, const char* set, UINT codePage) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const size_t next = NextCharacter(text, i, codePage);
        if (IsOneOf(text, i, next, set))
            found = i;
        i = next;
    }
    return found;
}

std::vector<std::string> SplitAtCharacters(const std::string& text, const char* set,
                                           UINT codePage) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = FindCharacterOf(text, set, start, codePage)) != std::string::npos;
         start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

namespace {

bool ToWide(const std::string& text, UINT codePage, std::wstring& wide) {
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(length);
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                               length) == length;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

// CompareStringOrdinal, not CompareStringA: a linguistic comparison (even invariant) ignores
// hyphens and apostrophes and equates characters that name different files; the ordinal one
// folds case by the system's upper-case table, as NTFS does. Text invalid in the code page
// (stand-ins would make different bytes equal) is compared with only ASCII letters folded.
bool SameNameNoCase(const std::string& a, const std::string& b, UINT codePage) {
    std::wstring wideA, wideB;
    if (ToWide(a, codePage, wideA) && ToWide(b, codePage, wideB))
        return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                    static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size();) {
        const size_t next = NextCharacter(a, i, codePage);
        if (NextCharacter(b, i, codePage) != next)
            return false;
        for (size_t k = i; k < next; ++k)
            if ((next == i + 1 ? AsciiLower(a[k]) != AsciiLower(b[k]) : a[k] != b[k]))
                return false;
        i = next;
    }
    return true;
}
