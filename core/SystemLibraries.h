// Loading Windows' own DLLs from the system folder only.
//
// An installer is usually started from a download folder and runs with
// administrator rights; a DLL of a system name planted beside it must never be
// loaded in place of the system's.
#pragma once

#include <windows.h>

// Makes the system folder the only place from which DLLs that the program or
// the system libraries load by name are taken. Reached at run time: systems
// without the function (Windows 7 before its DLL-search update) at least lose
// the current folder from the search.
void RestrictDllSearchToSystemFolder();

// Loads a DLL of the system folder by its full path, its own dependencies
// from there too. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// Stores the named export of a loaded library in `function`; false when it is
// missing.
template <typename Function>
bool ResolveExport(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}
