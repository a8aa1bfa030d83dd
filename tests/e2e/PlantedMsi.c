// A planted msi.dll / msisip.dll as an attacker would put beside a downloaded Setup.exe: once
// loaded it leaves "planted-<its file name>-loaded" beside itself. It exports msi.dll's
// functions, each failing, so an importing program still starts.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 32] = {0};
        DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
        char* name = path + length;
        char own[MAX_PATH] = {0};
        while (name > path && name[-1] != '\\')
            --name;
        lstrcpynA(own, name, MAX_PATH);
        lstrcpyA(name, "planted-");
        lstrcatA(name, own);
        lstrcatA(name, "-loaded");
        HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (marker != INVALID_HANDLE_VALUE)
            CloseHandle(marker);
    }
    return TRUE;
}

#define PLANTED(name, result)                                                                      \
    __declspec(dllexport) INT_PTR name(void) {                                                     \
        return result;                                                                             \
    }

PLANTED(MsiSetInternalUI, 0)
PLANTED(MsiEnableLogA, 1627)
PLANTED(MsiOpenDatabaseA, 1627)
PLANTED(MsiDatabaseOpenViewA, 1627)
PLANTED(MsiViewExecute, 1627)
PLANTED(MsiViewFetch, 1627)
PLANTED(MsiRecordGetStringA, 1627)
PLANTED(MsiCloseHandle, 0)
PLANTED(MsiQueryProductStateA, -1)
PLANTED(MsiConfigureProductA, 1627)
PLANTED(MsiInstallProductA, 1627)
