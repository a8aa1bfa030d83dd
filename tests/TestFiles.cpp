#include "TestFiles.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    path_ =
        base + "\\nvn-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

void WriteTextFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out << contents;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileIsThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderIsThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    // A link goes alone, never what it points to.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        RunUnixCommand({"Z:\\bin\\rm", "-f", UnixPath(path)});
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    ForEachEntry(path,
                 [&](const WIN32_FIND_DATAA& entry) { RemoveTree(path + "\\" + entry.cFileName); });
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void ForEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA& entry)>& visit) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            visit(found);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

DWORD RunToEnd(std::string commandLine, DWORD timeout) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 999;
    return WaitForExit(process, timeout);
}

DWORD WaitForExit(PROCESS_INFORMATION& process, DWORD timeout) {
    DWORD code = 999;
    if (WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 999);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string UnixPath(const std::string& path) {
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    static const auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        throw std::runtime_error("not running under Wine");
    std::wstring wide(path.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* unix = convert(wide.c_str());
    if (!unix)
        throw std::runtime_error("no Unix name for " + path);
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

void RunUnixCommand(const std::vector<std::string>& arguments) {
    std::string commandLine;
    for (const std::string& argument : arguments)
        commandLine += (commandLine.empty() ? "\"" : " \"") + argument + "\"";
    // Wine gives a Unix process no exit code: callers look at its effect.
    RunToEnd(commandLine, 10000);
}

void PlantSymbolicLink(const std::string& link, const std::string& target) {
    RunUnixCommand({"Z:\\bin\\ln", "-s", UnixPath(target), UnixPath(link)});
    for (int wait = 0; wait < 100; ++wait) {
        const DWORD attributes = GetFileAttributesA(link.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return;
        Sleep(20);
    }
    throw std::runtime_error("cannot plant a symbolic link at " + link);
}
