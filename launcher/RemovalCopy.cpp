// The removal run from a temporary copy: the program in SetupFiles cannot delete its own file,
// and the deployment tool waits for its exit code. The copy removes, hands the code back through
// a pipe (its stdout), waits for the original to end (its stdin is the original's process
// handle), then deletes SetupFiles. Its files go when it ends: the original opened them
// delete-on-close and the copy inherits the handles.
#include "RemovalCopy.h"

#include "RunLog.h"
#include "Uninstall.h"

#include "Configuration.h"
#include "Folders.h"
#include "JoinText.h"

#include <windows.h>

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

// The arguments exactly as given (checked to hold only ANSI code page characters).
std::string ArgumentsAsGiven() {
    const char* line = GetCommandLineA();
    bool quoted = false;
    for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line)
        if (*line == '"')
            quoted = !quoted;
    return line;
}

// Never over an existing file; opened delete-on-close, inheritable, shared for reading (to run).
HANDLE CopyDeletedOnClose(const std::string& source, const std::string& target) {
    if (!CopyFileA(source.c_str(), target.c_str(), TRUE))
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE file =
        CreateFileA(target.c_str(), DELETE | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    &inherit, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        DeleteFileA(target.c_str());
    return file;
}

} // namespace

bool RunsFromStagingFolder() {
    const std::string folder = FolderOf(ExecutablePath());
    return SameProfileName(folder.substr(folder.find_last_of('\\') + 1), "SetupFiles");
}

int RunFromTemporaryCopy() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, temp);
    std::string folder = length && length <= MAX_PATH ? std::string(temp, length) : "";
    AddTrailingBackslash(folder);
    std::string base = folder;
    base += "Norvane-Removal-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    const std::string program = base + ".exe";
    HANDLE programFile = CopyDeletedOnClose(ExecutablePath(), program);
    HANDLE iniFile = CopyDeletedOnClose(ConfigurationFileName(ExecutablePath()), base + ".INI");

    // The exit code comes back through a pipe; the copy waits on this process.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr, self = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                    SYNCHRONIZE, TRUE, 0);

    std::string commandLine = JoinText({"\"", program, "\"", ArgumentsAsGiven(),
                                        " /removalsource \"", FolderOf(ExecutablePath()), "\""});

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = self;
    startup.hStdOutput = writeEnd;
    startup.hStdError = nullptr;
    PROCESS_INFORMATION started = {};
    const bool ok = programFile != INVALID_HANDLE_VALUE && iniFile != INVALID_HANDLE_VALUE &&
                    readEnd && self &&
                    // Not in SetupFiles: a current folder there could not be deleted.
                    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   folder.c_str(), &startup, &started);
    // The copy holds its own handles now: when it ends, its files go.
    for (HANDLE handle : {programFile, iniFile})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    if (writeEnd)
        CloseHandle(writeEnd);
    if (self)
        CloseHandle(self);
    if (!ok) {
        LogLine(JoinText({"The removal could not start its temporary copy ", program, " (",
                          WindowsErrorText(GetLastError()), ")"}));
        if (readEnd)
            CloseHandle(readEnd);
        return ExitCodes::InstallFailure;
    }
    LogLine(JoinText({"The removal runs from the temporary copy ", program, " (process ",
                      std::to_string(started.dwProcessId), ")"}));
    CloseHandle(started.hThread);
    int exitCode = 0;
    DWORD read = 0;
    // No code (the copy broke off): its exit code, when it ended.
    if (!ReadFile(readEnd, &exitCode, sizeof exitCode, &read, nullptr) || read != sizeof exitCode) {
        DWORD ended = ExitCodes::InstallFailure;
        WaitForSingleObject(started.hProcess, INFINITE);
        GetExitCodeProcess(started.hProcess, &ended);
        exitCode = static_cast<int>(ended);
    }
    CloseHandle(readEnd);
    CloseHandle(started.hProcess);
    return exitCode;
}

void ReleaseOriginal(int exitCode) {
    HANDLE toOriginal = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE original = GetStdHandle(STD_INPUT_HANDLE);
    DWORD written = 0;
    if (toOriginal && toOriginal != INVALID_HANDLE_VALUE) {
        WriteFile(toOriginal, &exitCode, sizeof exitCode, &written, nullptr);
        CloseHandle(toOriginal);
    }
    // Its file in SetupFiles can be deleted only once it has ended.
    if (original && original != INVALID_HANDLE_VALUE)
        WaitForSingleObject(original, 30000);
}
