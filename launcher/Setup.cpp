// The installer's entry point.
#include "CommandLine.h"
#include "Launch.h"
#include "Wizard.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "SystemLibraries.h"
#include "Verification.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // First: every DLL loaded by name from now on, by this program or by system libraries, comes
    // from the system folder.
    RestrictDllSearchToSystemFolder();
    // Staging's copies and long silent package actions keep this thread from its messages; a
    // ghosted "(Not Responding)" page, if closed, would end the run midway.
    DisableProcessWindowsGhosting();
    const CommandLineOptions options = ReadCommandLine();
    if (!LoadMsiFunctions()) {
        // An unattended run shows no window: its exit code says it failed.
        if (options.Unattended())
            return ExitCodes::InstallFailure;
        MessageBoxA(nullptr, WindowsInstallerMissingText, MessageTexts::Error,
                    MB_ICONERROR | MB_OK | MB_SETFOREGROUND);
        return 0;
    }
    if (options.Verify && options.Valid())
        return RunVerify(options.RunLogFile.value_or(""));
    return StartInstaller(options);
}
