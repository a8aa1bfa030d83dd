// Loading Windows' own DLLs from the system folder only: an installer run as administrator from
// a download folder must never load a DLL of a system name planted beside it.
#pragma once

#include <windows.h>

// Makes the system folder the only source of DLLs that the program or system libraries load by
// name. Resolved at run time: without the function (Windows 7 before its DLL-search update) the
// current folder at least leaves the search.
void RestrictDllSearchToSystemFolder();

// Loads a DLL of the system folder by its full path, its own dependencies
// from there too. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// Stores the named export of a loaded library in `function`; false when it is missing.
template <typename Function>
bool ResolveExport(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}
