// Names that stay inside the folder they are appended to.
#include "SafeNames.h"

#include "CharText.h"

#include <cctype>

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

// Characters no Windows file name may hold (separators handled apart): controls and
// < > " | ? * :, scanned by character so a double-byte character's second byte is none of them.
bool HasInvalidCharacter(const std::string& segment, UINT codePage) {
    static const std::string invalid = [] {
        std::string set = "<>\"|?*:";
        for (char c = 1; c < 32; ++c)
            set += c;
        return set;
    }();
    return segment.find('\0') != std::string::npos ||
           FindCharacterOf(segment, invalid.c_str(), 0, codePage) != std::string::npos;
}

bool IsSafeSegment(const std::string& segment, UINT codePage) {
    // Windows strips trailing dots and spaces: "...", ". ." and "" name the folder or its
    // parent, and "a." names "a", not the name the configuration gives.
    if (segment.empty() || EndsWithCharacter(segment, '.', codePage) ||
        EndsWithCharacter(segment, ' ', codePage))
        return false;
    return !HasInvalidCharacter(segment, codePage) && !IsDeviceName(segment);
}

} // namespace

bool IsSafeRelativeName(const std::string& name, UINT codePage) {
    // An empty segment: a leading separator (root or UNC) or two in a row.
    for (const std::string& segment : SplitAtCharacters(name, "\\/", codePage))
        if (!IsSafeSegment(segment, codePage))
            return false;
    return true;
}

bool IsSafeFileName(const std::string& name, UINT codePage) {
    return FindCharacterOf(name, "\\/", 0, codePage) == std::string::npos &&
           IsSafeRelativeName(name, codePage);
}
