// The installer's entry point.
#include "Main.h"
#include "MessageTexts.h"
#include "MsiFunctions.h"
#include "PackageOperations.h"
#include "SystemLibraries.h"

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
    return RunSetup({RemoveEarlierPackages, StageSetupFiles, RunInstallation});
}
