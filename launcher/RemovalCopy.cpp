// The removal run from a temporary copy of the installer.
//
// The copy in SetupFiles cannot delete its own file while it runs, and the
// deployment tool that started it waits for its exit code. So the original
// starts a copy from the temporary folder and waits for it: the copy removes
// the products, hands the exit code back through a pipe (its standard
// output), waits for the original to end (its standard input is the
// original's process handle), and only then deletes SetupFiles. The copy's
// own files were opened delete-on-close by the original and inherited by the
// copy, so they go when it ends.
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

// The arguments after the program's name, exactly as given.
// (The line was checked to hold only characters of the ANSI code page.)
std::string ArgumentsAsGiven() {
    const char* line = GetCommandLineA();
    bool quoted = false;
    for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line)
        if (*line == '"')
            quoted = !quoted;
    return line;
}

// Copies the file to a new name (never over an existing file) and opens it
// delete-on-close, inheritable, sharing read access for the program start.
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
