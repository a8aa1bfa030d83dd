// Loading the component catalogue from the configuration file beside the
// executable, through the Windows profile functions.
#include "Installmanager.h"

#include <vector>

namespace {

// Each setting is read into a buffer of this size, so a text keeps at most
// 2047 characters.
constexpr DWORD SettingBufferSize = 2048;

// The section list is read into this many bytes first, and into a larger
// buffer whenever the names do not fit, so that no section is lost.
constexpr DWORD FirstSectionBufferSize = 16384;
constexpr DWORD MaxSectionBufferSize = 1u << 30;

std::string ReadSetting(const std::string& section, const char* name, const std::string& file) {
    char buffer[SettingBufferSize] = {};
    GetPrivateProfileStringA(section.c_str(), name, "", buffer, SettingBufferSize, file.c_str());
    return buffer;
}

// All section names of the file, in file order.
std::vector<std::string> ReadSectionNames(const std::string& file) {
    std::vector<char> buffer;
    DWORD size = FirstSectionBufferSize;
    DWORD length = 0;
    for (;;) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileSectionNamesA(buffer.data(), size, file.c_str());
        // A full buffer is reported as size - 2: the list was cut.
        if (length + 2 < size || size >= MaxSectionBufferSize)
            break;
        size *= 2;
    }
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < length && buffer[pos] != '\0') {
        std::string name(&buffer[pos]);
        pos += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

bool FileExists(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return "";
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ConfigurationFileName(const std::string& executablePath) {
    size_t dot = executablePath.find_last_of(".\\:");
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
    for (size_t i = 0; i < sections.size(); ++i) {
        const std::string& section = sections[i];
        ComponentEntry& entry = components[i];
        entry.ImageIndex =
            ParseIntegerSetting(ReadSetting(section, "ComponentImageIndex", iniPath), -1);
        entry.Description = ReadSetting(section, "ComponentDescription", iniPath);
        entry.Version = ReadSetting(section, "Version", iniPath);
        entry.Size = ParseSizeSetting(ReadSetting(section, "Size", iniPath), decimalSeparator);
        entry.MSIFileName = ReadSetting(section, "MSIFileName", iniPath);
        entry.Required = ParseFlagSetting(ReadSetting(section, "Required", iniPath));
        entry.Selected = true;
        entry.Succeeded = false;
        entry.SetupFileSubFolder =
            ParseFlagSetting(ReadSetting(section, "SetupFileSubFolder", iniPath));
    }
    InstallSession.Components = std::move(components);
    InstallSession.ComponentCount = static_cast<int32_t>(sections.size());
    return true;
}
