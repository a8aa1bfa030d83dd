// Names that stay inside the folder they are appended to.
#include "SafeNames.h"

#include "CharText.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

bool IsDeviceName(const std::string& segment) {
    // Windows ignores an extension and trailing spaces after a device name:
    // "nul.msi" and "CON .log" are still the devices.
    std::string base = segment.substr(0, segment.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

// A name cut into its characters: one byte each, or two for a lead byte of a
// double-byte code page followed by its trail byte.
std::vector<std::string> Characters(const std::string& name, UINT codePage) {
    std::vector<std::string> characters;
    for (size_t i = 0, next; i < name.size(); i = next) {
        next = NextCharacter(name, i, codePage);
        characters.push_back(name.substr(i, next - i));
    }
    return characters;
}

bool IsSeparator(const std::string& character) {
    return character == "\\" || character == "/";
}

// Characters no Windows file name may hold (a separator is handled apart).
bool IsInvalidCharacter(const std::string& character) {
    if (character.size() != 1)
        return false;
    const char c = character[0];
    return static_cast<unsigned char>(c) < 32 || std::strchr("<>\"|?*:", c) != nullptr;
}

bool IsSafeSegment(const std::vector<std::string>& characters) {
    // Windows strips trailing dots and spaces, so "...", ". ." and "" all
    // name the folder itself or its parent, and "a." names "a": a file or
    // folder would not get the name the configuration gives it.
    if (characters.empty() || characters.back() == "." || characters.back() == " ")
        return false;
    std::string segment;
    for (const std::string& character : characters) {
        if (IsInvalidCharacter(character))
            return false;
        segment += character;
    }
    return !IsDeviceName(segment);
}

} // namespace

bool IsSafeRelativeName(const std::string& name, UINT codePage) {
    std::vector<std::string> segment;
    for (const std::string& character : Characters(name, codePage)) {
        if (!IsSeparator(character)) {
            segment.push_back(character);
            continue;
        }
        // An empty segment: a leading separator (root or UNC) or two in a row.
        if (!IsSafeSegment(segment))
            return false;
        segment.clear();
    }
    return IsSafeSegment(segment);
}

bool IsSafeFileName(const std::string& name, UINT codePage) {
    for (const std::string& character : Characters(name, codePage))
        if (IsSeparator(character))
            return false;
    return IsSafeRelativeName(name, codePage);
}
