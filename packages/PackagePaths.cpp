// Staging and log paths of a component, and the folder presence test.
#include "PackagePaths.h"

#include "Folders.h"
#include "SafeNames.h"

std::string StagingFolder(const std::string& destination) {
    std::string folder = destination;
    AddTrailingBackslash(folder);
    return folder + "SetupFiles";
}

std::string PackageFolder(const std::string& stagingFolder, const ComponentEntry& entry) {
    if (!entry.SetupFileSubFolder)
        return stagingFolder;
    return stagingFolder + "\\" + entry.Description;
}

std::string PackageFile(const std::string& folder, const ComponentEntry& entry) {
    std::string file = folder;
    AddTrailingBackslash(file);
    return file + entry.MSIFileName;
}

std::string StagedPackagePath(const std::string& destination, const ComponentEntry& entry) {
    return PackageFile(PackageFolder(StagingFolder(destination), entry), entry);
}

std::string PackageLogFile(const std::string& logFolder, const ComponentEntry& entry) {
    std::string file = logFolder;
    AddTrailingBackslash(file);
    return file + entry.Description + ".log";
}

bool HasSafeNames(const ComponentEntry& entry) {
    if (!IsSafeRelativeName(entry.MSIFileName))
        return false;
    if (entry.SetupFileSubFolder)
        return IsSafeRelativeName(entry.Description);
    return true;
}

bool CanNameLogFile(const ComponentEntry& entry) {
    // Judged with the extension, as the file is named: "Tools, Samples etc."
    // makes a good "Tools, Samples etc..log".
    return IsSafeFileName(entry.Description + ".log");
}

HANDLE OpenFolderForReading(const std::string& path) {
    HANDLE folder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return folder;
    // Backup semantics open files as well: only a directory counts.
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(folder, &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(folder);
        return INVALID_HANDLE_VALUE;
    }
    return folder;
}

bool MakeFolderPresent(const std::string& path) {
    HANDLE folder = OpenFolderForReading(path);
    if (folder == INVALID_HANDLE_VALUE)
        return CreateFolderPath(path);
    CloseHandle(folder);
    return true;
}
