// Folder rules: program-files folder, separators, folder creation, free-space check.
#include "Folders.h"

#include "Session.h"

#include "CharText.h"

std::string GetProgramFilesFolder() {
    // A value too long for the 260-character buffer counts as unset, not cut to another path.
    char buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("ProgramFiles", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::string(buffer, length);

    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    // A zero byte to spare keeps the text terminated whatever the value's type; a longer value
    // fails the read and counts as missing.
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    if (RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS)
        value[0] = '\0';
    RegCloseKey(key);
    std::string result(value);
    if (result.empty() || result.size() > MaxPathLength)
        result = "C:\\Program Files";
    return result;
}

void AddTrailingBackslash(std::string& text) {
    if (!EndsWithCharacter(text, '\\'))
        text += '\\';
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderPath(const std::string& path, SECURITY_ATTRIBUTES* security) {
    if (path.empty() || path.size() > MaxPathLength)
        return false;
    if (CreateDirectoryA(path.c_str(), security))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return FolderExists(path); // a file of that name is no folder
    if (error != ERROR_PATH_NOT_FOUND && error != ERROR_FILE_NOT_FOUND)
        return false;

    // Parent missing: create it first, split at the last separator before the final character.
    const size_t split = FindLastCharacterOf(path.substr(0, LastCharacter(path)), "\\/");
    if (split == std::string::npos || split == 0)
        return false;
    if (!CreateFolderPath(path.substr(0, split), security))
        return false;
    return CreateDirectoryA(path.c_str(), security) != 0 ||
           (GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(path));
}

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // \\server\share: up to, not including, the separator after the share.
        const size_t serverEnd = FindCharacterOf(path, "\\", 2);
        if (serverEnd == std::string::npos)
            return path;
        const size_t shareEnd = FindCharacterOf(path, "\\", serverEnd + 1);
        return shareEnd == std::string::npos ? path : path.substr(0, shareEnd);
    }
    return "";
}

bool PlatformVolumeFreeBytes(const char* root, uint64_t* freeBytes) {
    ULARGE_INTEGER available = {}, total = {}, totalFree = {};
    if (!GetDiskFreeSpaceExA(root, &available, &total, &totalFree))
        return false;
    *freeBytes = totalFree.QuadPart;
    return true;
}

FreeBytesQuery QueryVolumeFreeBytes = PlatformVolumeFreeBytes;

bool HasEnoughDiskSpace() {
    int64_t needed = 0;
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        // Sizes come from the file: a sum past 64 bits saturates rather than wrapping small.
        if (entry.Selected && __builtin_add_overflow(needed, entry.Size, &needed))
            needed = entry.Size > 0 ? INT64_MAX : INT64_MIN;
    }

    // The volume's root, "C:\" or "\\server\share\"; a relative destination: the current drive.
    std::string root = DrivePart(GetDestinationFolder());
    if (!root.empty())
        AddTrailingBackslash(root);
    uint64_t freeBytes = 0;
    if (!QueryVolumeFreeBytes(root.empty() ? nullptr : root.c_str(), &freeBytes))
        freeBytes = 0;

    // Kilobytes of 1000 bytes; the count fits a signed 64-bit integer.
    const int64_t freeKilobytes = static_cast<int64_t>(freeBytes / 1000);
    return freeKilobytes >= needed;
}
