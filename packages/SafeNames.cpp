// Names that stay inside the folder they are appended to.
#include "SafeNames.h"

#include <cctype>
#include <cstring>

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

// Characters no Windows file name may hold.
bool HasInvalidCharacter(const std::string& segment) {
    for (char c : segment)
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>\"|?*", c))
            return true;
    return false;
}

bool IsSafeSegment(const std::string& segment) {
    // Windows strips trailing dots and spaces, so "...", ". ." and "" all
    // name the folder itself or its parent, and "a." names "a": a file or
    // folder would not get the name the configuration gives it.
    if (segment.empty() || segment.back() == '.' || segment.back() == ' ')
        return false;
    return !HasInvalidCharacter(segment) && !IsDeviceName(segment);
}

} // namespace

bool IsSafeRelativeName(const std::string& name) {
    if (name.empty() || name.find(':') != std::string::npos)
        return false;
    if (name.front() == '\\' || name.front() == '/')
        return false;
    size_t start = 0;
    for (;;) {
        const size_t end = name.find_first_of("\\/", start);
        if (!IsSafeSegment(name.substr(start, end - start)))
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}
