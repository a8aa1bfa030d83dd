// The set's Add/Remove Programs entry.
#include "SetEntry.h"

#include "Configuration.h"
#include "JoinText.h"
#include "MsiFunctions.h"
#include "PackagePaths.h"
#include "ProductRemoval.h"
#include "RunLog.h"
#include "Session.h"

#include <cstring>

namespace {

constexpr REGSAM View64 = KEY_WOW64_64KEY;

std::string ExecutableFolder() {
    const std::string executable = ExecutablePath();
    const size_t separator = executable.find_last_of('\\');
    return separator == std::string::npos ? std::string() : executable.substr(0, separator);
}

// This program's "major.minor.build.revision", read from its resource: no version library.
std::string FileVersion() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    for (DWORD offset = 0; data && offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        VS_FIXEDFILEINFO info;
        memcpy(&info, data + offset, sizeof info);
        if (info.dwSignature == VS_FFI_SIGNATURE)
            return std::to_string(HIWORD(info.dwFileVersionMS)) + "." +
                   std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
                   std::to_string(HIWORD(info.dwFileVersionLS)) + "." +
                   std::to_string(LOWORD(info.dwFileVersionLS));
    }
    return "";
}

bool InstalledFrom(const std::string& sourceFolder, const ComponentEntry& entry) {
    const std::optional<std::string> code = ComponentProductCode(sourceFolder, entry);
    return code && ProductIsPresent(Msi.MsiQueryProductStateA(code->c_str()));
}

// The installed products' sections, comma-separated, and their size.
std::string InstalledSections(const std::string& sourceFolder, int64_t& kilobytes) {
    std::string sections;
    kilobytes = 0;
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!InstalledFrom(sourceFolder, entry))
            continue;
        sections = JoinText({sections, sections.empty() ? "" : ",", entry.SectionName});
        if (entry.Size > 0)
            kilobytes += entry.Size;
    }
    return sections;
}

bool SetText(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

// Copies a file unless source and target are one path (a run from the copy).
bool CopyBeside(const std::string& source, const std::string& target) {
    if (_stricmp(source.c_str(), target.c_str()) == 0)
        return true;
    if (CopyFileA(source.c_str(), target.c_str(), FALSE))
        return true;
    LogLine(JoinText(
        {"Copying ", source, " to ", target, " failed (", WindowsErrorText(GetLastError()), ")"}));
    return false;
}

} // namespace

void RemoveSetEntry() {
    const LSTATUS status = RegDeleteKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, View64, 0);
    if (status == ERROR_SUCCESS)
        LogLine(JoinText({"Add/Remove Programs entry \"", SetEntryName, "\" removed"}));
}

bool WriteSetEntry() {
    const std::string destination = GetDestinationFolder();
    const std::string staging = StagingFolder(destination);
    const std::string program = staging + "\\Setup.exe";
    if (!MakeFolderPresent(staging) || !CopyBeside(ExecutablePath(), program) ||
        !CopyBeside(ConfigurationFileName(ExecutablePath()), staging + "\\Setup.INI"))
        return false;

    int64_t kilobytes = 0;
    const std::string sections = InstalledSections(ExecutableFolder(), kilobytes);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, 0, nullptr, 0, KEY_WRITE | View64, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        LogLine("The Add/Remove Programs entry could not be written");
        return false;
    }
    const std::string quoted = "\"" + program + "\"";
    const bool written = SetText(key, "DisplayName", SetEntryName) &&
                         SetText(key, "Publisher", "Norvane") &&
                         SetText(key, "DisplayVersion", FileVersion()) &&
                         SetText(key, "InstallLocation", destination) &&
                         SetText(key, "DisplayIcon", program + ",0") &&
                         SetNumber(key, "EstimatedSize",
                                   static_cast<DWORD>(std::min<int64_t>(kilobytes, MAXDWORD))) &&
                         SetNumber(key, "NoModify", 1) && SetNumber(key, "NoRepair", 1) &&
                         SetText(key, "NorvaneSections", sections) &&
                         SetText(key, "UninstallString", quoted + " /uninstall") &&
                         SetText(key, "QuietUninstallString", quoted + " /uninstall /quiet");
    RegCloseKey(key);
    LogLine(
        JoinText({"Add/Remove Programs entry \"", SetEntryName, "\" ",
                  written ? "written" : "not fully written", "; installed sections: ", sections}));
    return written;
}

std::optional<std::string> SetEntryLocation() {
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, 0, KEY_QUERY_VALUE | View64, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const LSTATUS status =
        RegGetValueA(key, nullptr, "InstallLocation", RRF_RT_REG_SZ, nullptr, value, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || !value[0])
        return std::nullopt;
    return std::string(value);
}

bool AnyCatalogueProductInstalled(const std::string& sourceFolder) {
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
        if (InstalledFrom(sourceFolder, InstallSession.Components[i]))
            return true;
    return false;
}

void UpdateSetEntryAfterRemoval(const std::string& sourceFolder) {
    int64_t kilobytes = 0;
    const std::string sections = InstalledSections(sourceFolder, kilobytes);
    if (sections.empty()) {
        RemoveSetEntry();
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetEntryKey, 0, KEY_SET_VALUE | View64, &key) !=
        ERROR_SUCCESS)
        return;
    SetText(key, "NorvaneSections", sections);
    SetNumber(key, "EstimatedSize", static_cast<DWORD>(std::min<int64_t>(kilobytes, MAXDWORD)));
    RegCloseKey(key);
    LogLine(JoinText({"Add/Remove Programs entry: installed sections now ", sections}));
}
