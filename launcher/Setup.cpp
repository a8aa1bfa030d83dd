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
    // First of all: every DLL loaded by name from now on, by this program or
    // by the system's own libraries, comes from the system folder.
    RestrictDllSearchToSystemFolder();
    // The progress page serves its messages whenever the service calls back,
    // but staging's file copies and a package action that runs long without
    // reporting still keep this thread from them for a while; the system must
    // not replace the page by a frozen "(Not Responding)" copy whose close
    // would end the run midway.
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
