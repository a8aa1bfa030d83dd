// The run log.
#include "RunLog.h"

#include "CharText.h"
#include "Folders.h"
#include "ProtectedFolders.h"

namespace {

std::string LogPath;

std::string LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    // By hand: the C library's formatted output would add tens of kilobytes for one line.
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

// %TEMP%\Norvane-Setup.log, so that a run always leaves a trace.
std::string FallbackLogPath() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return "";
    std::string path(folder, length);
    AddTrailingBackslash(path);
    return path + "Norvane-Setup.log";
}

} // namespace

std::string WindowsErrorText(unsigned long error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : "";
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return "error " + std::to_string(error) + (message.empty() ? "" : ": " + message);
}

void StartRunLog(const std::string& path) {
    LogPath = path;
    const std::string folder = FolderOf(path);
    if (!folder.empty() && !(folder.size() == 2 && folder[1] == ':') && !FolderExists(folder))
        CreateProtectedFolderPath(folder);
    std::string probe = path, avoided;
    HANDLE file = OpenForAppendWithoutLinks(probe, avoided);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return;
    }
    const std::string why = WindowsErrorText(GetLastError());
    LogPath = FallbackLogPath();
    LogLine("The run log \"" + path + "\" cannot be written (" + why +
            "); this file takes its lines.");
}

void LogLine(const std::string& text) {
    if (LogPath.empty())
        return;
    // Opened per line: written lines survive whatever ends the process, and others can read
    // meanwhile. Never through a planted link: the log goes on in a new file beside it, saying so.
    std::string avoided;
    HANDLE file = OpenForAppendWithoutLinks(LogPath, avoided);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // The process id tells apart the lines of runs that share one file.
    const std::string stamp = LocalTime() + "  [" + std::to_string(GetCurrentProcessId()) + "]  ";
    std::string line = stamp + text + "\r\n";
    if (!avoided.empty())
        line = stamp + "The run log " + avoided +
               " is a link to another file and is not written through: this log goes on in " +
               LogPath + "\r\n" + line;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}
