// Loading Windows' own DLLs from the system folder only.
#include "SystemLibraries.h"

#include <string>

namespace {

// The documented value; older SDK headers may lack it.
constexpr DWORD SearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

} // namespace

void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault =
        kernel ? reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                     reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
               : nullptr;
    if (!setDefault || !setDefault(SearchSystem32))
        SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* fileName) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::string path = std::string(folder, length) + "\\" + fileName;
    HMODULE library = LoadLibraryExA(path.c_str(), nullptr, SearchSystem32);
    // Systems without the search flags refuse them (invalid parameter); a full path with the
    // altered search order still takes dependencies from the DLL's own folder.
    if (!library && GetLastError() == ERROR_INVALID_PARAMETER)
        library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return library;
}
