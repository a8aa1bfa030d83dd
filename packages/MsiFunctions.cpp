// The real Windows Installer functions, taken from msi.dll in the system folder at start-up.
#include "MsiFunctions.h"

#include "SystemLibraries.h"

MsiFunctions RealMsiFunctions = {};
MsiFunctions Msi = {};

namespace {

// Stores the named export in `function`; false when it is missing.
template <typename Function> bool Resolve(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

} // namespace

bool LoadMsiFunctions() {
    if (RealMsiFunctions.MsiInstallProductA) {
        Msi = RealMsiFunctions;
        return true;
    }
    HMODULE library = LoadSystemLibrary("msi.dll");
    if (!library)
        return false;
    MsiFunctions loaded = {};
    const bool complete =
        Resolve(library, "MsiSetInternalUI", loaded.MsiSetInternalUI) &&
        Resolve(library, "MsiEnableLogA", loaded.MsiEnableLogA) &&
        Resolve(library, "MsiOpenDatabaseA", loaded.MsiOpenDatabaseA) &&
        Resolve(library, "MsiDatabaseOpenViewA", loaded.MsiDatabaseOpenViewA) &&
        Resolve(library, "MsiViewExecute", loaded.MsiViewExecute) &&
        Resolve(library, "MsiViewFetch", loaded.MsiViewFetch) &&
        Resolve(library, "MsiRecordGetStringA", loaded.MsiRecordGetStringA) &&
        Resolve(library, "MsiCloseHandle", loaded.MsiCloseHandle) &&
        Resolve(library, "MsiQueryProductStateA", loaded.MsiQueryProductStateA) &&
        Resolve(library, "MsiConfigureProductA", loaded.MsiConfigureProductA) &&
        Resolve(library, "MsiInstallProductA", loaded.MsiInstallProductA) &&
        Resolve(library, "MsiRecordGetInteger", loaded.MsiRecordGetInteger) &&
        Resolve(library, "MsiSetExternalUIRecord", loaded.MsiSetExternalUIRecord) &&
        Resolve(library, "MsiConfigureProductExA", loaded.MsiConfigureProductExA) &&
        Resolve(library, "MsiGetProductInfoA", loaded.MsiGetProductInfoA);
    if (!complete) {
        FreeLibrary(library);
        return false;
    }
    // The library stays loaded for the rest of the run.
    RealMsiFunctions = loaded;
    Msi = loaded;
    return true;
}
