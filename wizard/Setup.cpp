// The installer's entry point.
#include "Main.h"
#include "PackageOperations.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunSetup({RemoveEarlierPackages, StageSetupFiles, RunInstallation});
}
