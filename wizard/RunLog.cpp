// The run log.
#include "RunLog.h"

#include "CharText.h"
#include "Installmanager.h"

namespace {

std::string LogPath;

std::string LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Digits by hand: the C library's formatted output would bring tens of
    // kilobytes into the program for one line.
    auto digits = [](unsigned value, size_t count) {
        std::string text(count, '0');
        for (size_t i = count; i-- > 0; value /= 10)
            text[i] = static_cast<char>('0' + value % 10);
        return text;
    };
    return digits(now.wYear, 4) + "-" + digits(now.wMonth, 2) + "-" + digits(now.wDay, 2) + " " +
           digits(now.wHour, 2) + ":" + digits(now.wMinute, 2) + ":" + digits(now.wSecond, 2);
}

// The folder part of a file path, "" when it has none.
std::string FolderOf(const std::string& path) {
    const size_t separator = FindLastCharacterOf(path, "\\/");
    return separator == std::string::npos || separator == 0 ? "" : path.substr(0, separator);
}

} // namespace

void StartRunLog(const std::string& path) {
    LogPath = path;
    const std::string folder = FolderOf(path);
    if (!folder.empty() && !(folder.size() == 2 && folder[1] == ':') && !FolderExists(folder))
        CreateFolderPath(folder);
}

void LogLine(const std::string& text) {
    if (LogPath.empty())
        return;
    // Opened for each line and closed again: every line that was written is
    // on disk whatever ends the process, and another reader can look at the
    // file meanwhile.
    HANDLE file = CreateFileA(LogPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string line = LocalTime() + "  " + text + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}
