// The installer's entry point.
#include "CommandLine.h"
#include "Launch.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return StartInstaller(ReadCommandLine());
}
