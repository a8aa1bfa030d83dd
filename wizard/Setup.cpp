// The installer's entry point.
#include "Main.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackageOperations.h"
#include "SystemLibraries.h"
#include "Verification.h"

#include <shellapi.h>

namespace {

// ---- Distribution check: "Setup.exe /verify [/log FILE]" -------------------
// Options start with "/" or "-" and match without regard to case.

bool IsOption(const wchar_t* argument, const wchar_t* name) {
    return (argument[0] == L'/' || argument[0] == L'-') && lstrcmpiW(argument + 1, name) == 0;
}

std::string AnsiText(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

// True when the command line asks for the check; logFile gets the /log file.
bool VerifyRequested(std::string& logFile) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return false;
    bool verify = false;
    for (int i = 1; i < count; ++i) {
        if (IsOption(arguments[i], L"verify"))
            verify = true;
        else if (IsOption(arguments[i], L"log") && i + 1 < count)
            logFile = AnsiText(arguments[++i]);
    }
    LocalFree(arguments);
    return verify;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // First of all: every DLL loaded by name from now on, by this program or
    // by the system's own libraries, comes from the system folder.
    RestrictDllSearchToSystemFolder();
    // The installation run keeps this thread busy without processing
    // messages, as designed; the system must not replace the progress page by
    // a frozen "(Not Responding)" copy whose close would end the run midway.
    DisableProcessWindowsGhosting();
    if (!LoadMsiFunctions()) {
        MessageBoxA(nullptr, WindowsInstallerMissingText, MessageTexts::Error,
                    MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
        return 0;
    }
    std::string logFile;
    if (VerifyRequested(logFile))
        return RunVerify(logFile);
    return RunSetup({RemoveEarlierPackages, StageSetupFiles, RunInstallation});
}
