// Loads the component catalogue from the configuration file through the profile functions.
#include "Configuration.h"

#include "Session.h"
#include "SettingValues.h"

#include "AnsiText.h"
#include "CharText.h"
#include "JoinText.h"

#include <vector>

namespace {

// Each setting is read as into a buffer of this size: a text keeps at most 2047 characters.
constexpr size_t SettingBufferSize = 2048;

// First buffer sizes of the section list and of a section's lines; each grows until all fits.
constexpr DWORD FirstSectionNamesBufferSize = 16384;
constexpr DWORD FirstSectionBufferSize = 4096;
constexpr DWORD MaxSectionBufferSize = 1u << 30;

// A double-zero-terminated list from a profile function, the buffer doubled until it fits:
// a full buffer is reported as size - 2 (the list was cut).
template <typename Read> std::vector<std::string> ReadStringList(DWORD firstSize, Read read) {
    std::vector<char> buffer;
    DWORD size = firstSize;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = read(buffer.data(), size);
        if (length + 2 < size || size >= MaxSectionBufferSize)
            break;
        size *= 2;
    }
    std::vector<std::string> strings;
    size_t pos = 0;
    while (pos < length && buffer[pos] != '\0') {
        std::string text(&buffer[pos]);
        pos += text.size() + 1;
        strings.push_back(std::move(text));
    }
    return strings;
}

// The blanks the profile functions drop around names: tab to carriage return, Ctrl-Z, space.
bool IsProfileBlank(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

std::string TrimProfileBlanks(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsProfileBlank(text[begin]))
        ++begin;
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// One section's lines in one call, in file order: "name=value", or "name" without "=". The
// trimmed name finds the section GetPrivateProfileStringA would: the first whose trimmed name
// matches in any case.
std::vector<std::string> ReadSectionLines(const std::string& section, const std::string& file) {
    const std::string name = TrimProfileBlanks(section);
    return ReadStringList(FirstSectionBufferSize, [&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(name.c_str(), buffer, size, file.c_str());
    });
}

bool EqualNoCase(const std::string& text, const char* name) {
    return SameProfileName(text, name);
}

// As GetPrivateProfileStringA returns it into 2048 bytes: matching outer quotes dropped, cut to
// 2047 characters. When the value less its opening mark overflows, the cut takes the closing
// mark and the rest stays (one character fewer when exactly that mark was cut).
std::string ProfileValue(const std::string& value) {
    constexpr size_t limit = SettingBufferSize - 1;
    if (value.size() >= 2 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0]) {
        std::string text = value.substr(1, limit);
        if (value.size() - 1 <= SettingBufferSize)
            text.pop_back();
        return text;
    }
    return value.substr(0, limit);
}

// The first line named name decides: its value, or "" without one. Blanks are dropped here
// too: some profile implementations return a section's lines as they stand in the file.
std::string Setting(const std::vector<std::string>& lines, const char* name) {
    for (const std::string& line : lines) {
        const size_t equals = line.find('=');
        if (!EqualNoCase(TrimProfileBlanks(line.substr(0, equals)), name))
            continue;
        return equals == std::string::npos
                   ? std::string()
                   : ProfileValue(TrimProfileBlanks(line.substr(equals + 1)));
    }
    return "";
}

bool FileExists(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

std::vector<std::string> ReadSectionNames(const std::string& file) {
    return ReadStringList(FirstSectionNamesBufferSize, [&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesA(buffer, size, file.c_str());
    });
}

std::wstring ExecutablePathWide() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutablePath() {
    // Read wide: the ANSI function gives "?" or a look-alike for a folder outside the code
    // page, and the configuration file would seem missing.
    const std::wstring path = ExecutablePathWide();
    if (std::optional<std::string> exact = ExactAnsi(path))
        return *exact;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring shortPath(size, L'\0');
    const DWORD length = size ? GetShortPathNameW(path.c_str(), shortPath.data(), size) : 0;
    shortPath.resize(length < size ? length : 0);
    return ExactAnsi(shortPath).value_or("");
}

std::string UnnamedExecutableFolderNote() {
    if (!ExecutablePath().empty())
        return "";
    std::wstring folder = ExecutablePathWide();
    const size_t separator = folder.find_last_of(L'\\');
    folder.resize(separator == std::wstring::npos ? 0 : separator);
    return JoinText({"The installer's folder \"", AnsiForDisplay(folder),
                     "\" has a name that this system's code page cannot hold. Copy the "
                     "installer's folder to a folder with a plainer name and start it there."});
}

std::string ConfigurationFileName(const std::string& executablePath) {
    size_t dot = FindLastCharacterOf(executablePath, ".\\:");
    if (dot != std::string::npos && executablePath[dot] == '.')
        return executablePath.substr(0, dot) + ".INI";
    return executablePath + ".INI";
}

bool LoadConfiguration() {
    return LoadConfigurationFrom(ConfigurationFileName(ExecutablePath()));
}

bool LoadConfigurationFrom(const std::string& iniPath) {
    if (InstallSession.Components)
        return true;
    if (!FileExists(iniPath))
        return false;

    const std::vector<std::string> sections = ReadSectionNames(iniPath);
    const char decimalSeparator = UserDecimalSeparator();
    auto components = std::make_unique<ComponentEntry[]>(sections.size());
    // One profile call per section, not per setting: every call costs a look at the file.
    for (size_t i = 0; i < sections.size(); ++i) {
        const std::vector<std::string> lines = ReadSectionLines(sections[i], iniPath);
        ComponentEntry& entry = components[i];
        entry.ImageIndex = ParseIntegerSetting(Setting(lines, "ComponentImageIndex"), -1);
        entry.Description = Setting(lines, "ComponentDescription");
        entry.Version = Setting(lines, "Version");
        entry.Size = ParseSizeSetting(Setting(lines, "Size"), decimalSeparator);
        entry.MSIFileName = Setting(lines, "MSIFileName");
        entry.Required = ParseFlagSetting(Setting(lines, "Required"));
        entry.Selected = true;
        entry.Succeeded = false;
        entry.SetupFileSubFolder = ParseFlagSetting(Setting(lines, "SetupFileSubFolder"));
        entry.SectionName = TrimProfileBlanks(sections[i]);
    }
    InstallSession.Components = std::move(components);
    InstallSession.ComponentCount = static_cast<int32_t>(sections.size());
    return true;
}

bool SameProfileName(const std::string& a, const std::string& b) {
    return SameNameNoCase(a, b);
}
