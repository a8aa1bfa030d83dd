// The Windows Installer operations the package operations use.
//
// Every call goes through the one table `Msi`, which holds the real msi.dll
// functions once LoadMsiFunctions has run. A test puts a scripted service in
// their place to reach outcomes a real package cannot produce.
//
// msi.dll is not imported: Windows would look for it beside the program
// first, where anyone who can write to a download folder could plant one. It
// is loaded at start-up by its full path in the system folder.
#pragma once

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

struct MsiFunctions {
    INSTALLUILEVEL(WINAPI* MsiSetInternalUI)(INSTALLUILEVEL level, HWND* owner);
    UINT(WINAPI* MsiEnableLogA)(DWORD mode, LPCSTR logFile, DWORD attributes);
    UINT(WINAPI* MsiOpenDatabaseA)(LPCSTR packagePath, LPCSTR persist, MSIHANDLE* database);
    UINT(WINAPI* MsiDatabaseOpenViewA)(MSIHANDLE database, LPCSTR query, MSIHANDLE* view);
    UINT(WINAPI* MsiViewExecute)(MSIHANDLE view, MSIHANDLE parameters);
    UINT(WINAPI* MsiViewFetch)(MSIHANDLE view, MSIHANDLE* record);
    UINT(WINAPI* MsiRecordGetStringA)(MSIHANDLE record, UINT field, LPSTR buffer, DWORD* length);
    UINT(WINAPI* MsiCloseHandle)(MSIHANDLE handle);
    INSTALLSTATE(WINAPI* MsiQueryProductStateA)(LPCSTR productCode);
    UINT(WINAPI* MsiConfigureProductA)(LPCSTR productCode, int installLevel, INSTALLSTATE state);
    UINT(WINAPI* MsiInstallProductA)(LPCSTR packagePath, LPCSTR commandLine);
    int(WINAPI* MsiRecordGetInteger)(MSIHANDLE record, UINT field);
    UINT(WINAPI* MsiSetExternalUIRecord)
    (INSTALLUI_HANDLER_RECORD handler, DWORD filter, LPVOID context,
     PINSTALLUI_HANDLER_RECORD previous);
};

// The functions of msi.dll itself; empty until LoadMsiFunctions succeeds.
extern MsiFunctions RealMsiFunctions;

// The table the package operations call; RealMsiFunctions unless replaced.
extern MsiFunctions Msi;

// Loads msi.dll from the system folder and fills RealMsiFunctions and Msi.
// False when the library or one of the functions is missing: Windows
// Installer is not available, and both tables stay empty. Loading again after
// success does nothing.
bool LoadMsiFunctions();

// Every log-mode flag except "files in use".
constexpr DWORD PackageLogMode =
    INSTALLLOGMODE_FATALEXIT | INSTALLLOGMODE_ERROR | INSTALLLOGMODE_WARNING | INSTALLLOGMODE_USER |
    INSTALLLOGMODE_INFO | INSTALLLOGMODE_RESOLVESOURCE | INSTALLLOGMODE_OUTOFDISKSPACE |
    INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA | INSTALLLOGMODE_PROPERTYDUMP |
    INSTALLLOGMODE_COMMONDATA | INSTALLLOGMODE_VERBOSE;
static_assert(PackageLogMode == 0x1FDF);

constexpr const char* ProductCodeQuery =
    "SELECT `Value` FROM `Property` WHERE `Property`='ProductCode'";

// Characters of the product code buffer, terminator included; a braced GUID
// needs 39.
constexpr DWORD ProductCodeBufferLength = 40;

// Advertised and installed products are on the machine; every other state
// counts as absent.
inline bool ProductIsPresent(INSTALLSTATE state) {
    return state == INSTALLSTATE_ADVERTISED || state == INSTALLSTATE_DEFAULT;
}
