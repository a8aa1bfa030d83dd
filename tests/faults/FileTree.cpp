// File system snapshots for the fault suite.
#include "FileTree.h"
#include "TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

void Collect(const std::string& folder, int depth, const std::string& skip,
             std::vector<std::string>& entries) {
    ForEachEntry(folder, [&](const WIN32_FIND_DATAA& found) {
        const std::string path = folder + "\\" + found.cFileName;
        if (!skip.empty() && lstrcmpiA(path.c_str(), skip.c_str()) == 0)
            return;
        const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        // A folder's own time changes with its entries, which are listed
        // themselves; only a file's size and time are kept.
        const unsigned long long size =
            (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        const unsigned long long time =
            (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
            found.ftLastWriteTime.dwLowDateTime;
        entries.push_back(isFolder
                              ? path + "\\"
                              : path + "|" + std::to_string(size) + "|" + std::to_string(time));
        if (isFolder && depth > 1)
            Collect(path, depth - 1, skip, entries);
    });
}

} // namespace

std::vector<std::string> Snapshot(const std::string& folder, int depth, const std::string& skip) {
    std::vector<std::string> entries;
    Collect(folder, depth, skip, entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::string> Differences(const std::vector<std::string>& before,
                                     const std::vector<std::string>& after) {
    std::vector<std::string> changed;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::back_inserter(changed));
    return changed;
}

namespace {

void RemoveWideTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveWideTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

void RemoveLongTree(const std::string& folder) {
    const int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    RemoveWideTree(wide);
}
