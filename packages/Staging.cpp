// Copies the selected packages into the staging folder under the destination.
#include "PackageOperations.h"

#include "CharText.h"
#include "ExternalCabinets.h"
#include "PackagePaths.h"

namespace {

HANDLE OpenForIdentity(const std::string& path) {
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : path;
}

// True when both paths name one file, as when the distribution folder is the
// staging folder itself: by the same full path, byte for byte, or by volume
// and file index (both files held open while they are compared). Never by the
// user's language rules, under which "Straße" and "Strasse" are one word but
// two files.
bool IsSameFile(const std::string& first, const std::string& second) {
    if (FullPath(first) == FullPath(second))
        return true;
    HANDLE a = OpenForIdentity(first);
    HANDLE b = OpenForIdentity(second);
    BY_HANDLE_FILE_INFORMATION infoA = {}, infoB = {};
    const bool same =
        a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE &&
        GetFileInformationByHandle(a, &infoA) && GetFileInformationByHandle(b, &infoB) &&
        infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
        infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
    if (a != INVALID_HANDLE_VALUE)
        CloseHandle(a);
    if (b != INVALID_HANDLE_VALUE)
        CloseHandle(b);
    return same;
}

// Removes a file, read-only or not; a folder of that name is left alone.
void RemoveFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    DeleteFileA(path.c_str());
}

// Copies the package over any earlier copy. When the copy fails, the earlier
// copy goes too: the run must not install a stale package in its place.
void CopyPackage(const std::string& source, const std::string& target) {
    if (IsSameFile(source, target))
        return;
    // A copy from read-only media is read-only itself; replace it all the same.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
        RemoveFile(target);
}

} // namespace

void StageSetupFiles() {
    const std::string executable = ExecutablePath();
    const size_t separator = FindLastCharacterOf(executable, "\\");
    StageSetupFilesFrom(separator == std::string::npos ? std::string()
                                                       : executable.substr(0, separator));
}

void StageSetupFilesFrom(const std::string& sourceFolder) {
    const std::string stagingFolder = StagingFolder(GetDestinationFolder());
    // Held open until every package is copied.
    HANDLE staging = OpenFolderForReading(stagingFolder);
    if (staging == INVALID_HANDLE_VALUE && !CreateFolderPath(stagingFolder))
        return;

    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected || !HasSafeNames(entry))
            continue;
        const std::string targetFolder = PackageFolder(stagingFolder, entry);
        if (entry.SetupFileSubFolder)
            MakeFolderPresent(targetFolder);
        std::string source = sourceFolder;
        AddTrailingBackslash(source);
        CopyPackage(source + entry.MSIFileName, PackageFile(targetFolder, entry));
        // Windows Installer looks for external cabinets beside the package.
        std::string target = targetFolder;
        AddTrailingBackslash(target);
        for (const std::string& cabinet : ExternalCabinets(source + entry.MSIFileName))
            CopyPackage(source + cabinet, target + cabinet);
    }

    if (staging != INVALID_HANDLE_VALUE)
        CloseHandle(staging);
}
