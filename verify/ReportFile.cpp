// The report file.
#include "ReportFile.h"

#include "CharText.h"
#include "Folders.h"

#include <windows.h>

bool AppendReport(const std::string& path, const std::string& text) {
    // The folder is made unless a root ("C:" or "\"); CreateFileA has the last word (a share's
    // root cannot be made but exists).
    const size_t separator = FindLastCharacterOf(path, "\\/");
    if (separator != std::string::npos && separator > 0) {
        const std::string folder = path.substr(0, separator);
        if (!(folder.size() == 2 && folder[1] == ':') && !FolderExists(folder))
            CreateFolderPath(folder);
    }
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    return CloseHandle(file) && ok;
}
