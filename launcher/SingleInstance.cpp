// One installer at a time.
#include "SingleInstance.h"

#include "Form.h"

#include <windows.h>

#include <cstring>

bool TakeInstanceLock() {
    // Kept open: the system releases it however the process ends.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, InstanceMutexName);
    if (!mutex)
        return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    return true;
}

void BringOtherInstallerToFront() {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char caption[64] = {};
            GetWindowTextA(window, caption, sizeof caption);
            if (owner == GetCurrentProcessId() || !IsWindowVisible(window) ||
                strcmp(caption, InstallerCaption) != 0)
                return TRUE;
            RECT frame;
            // The hidden controller stands off the desktop; so does a minimized page (restored).
            if (!IsIconic(window) && GetWindowRect(window, &frame) && frame.right < 0)
                return TRUE;
            if (IsIconic(window))
                ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
            return FALSE;
        },
        0);
}

bool OnInteractiveDesktop() {
    USEROBJECTFLAGS flags = {};
    HWINSTA station = GetProcessWindowStation();
    return station &&
           GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, nullptr) &&
           (flags.dwFlags & WSF_VISIBLE);
}
