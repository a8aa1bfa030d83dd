// The Windows Installer operations, all called through the table `Msi`: msi.dll's functions
// once loaded, or a test's scripted service for outcomes a real package cannot produce.
// msi.dll is not imported: Windows would look beside the program first, where anyone who can
// write to a download folder could plant one. It is loaded by full path from the system folder.
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
    UINT(WINAPI* MsiConfigureProductExA)
    (LPCSTR productCode, int installLevel, INSTALLSTATE state, LPCSTR commandLine);
    UINT(WINAPI* MsiGetProductInfoA)
    (LPCSTR productCode, LPCSTR property, LPSTR value, DWORD* length);
    UINT(WINAPI* MsiSetExternalUIRecord)
    (INSTALLUI_HANDLER_RECORD handler, DWORD filter, LPVOID context,
     PINSTALLUI_HANDLER_RECORD previous);
};

// The functions of msi.dll itself; empty until LoadMsiFunctions succeeds.
extern MsiFunctions RealMsiFunctions;

// The table the package operations call; RealMsiFunctions unless replaced.
extern MsiFunctions Msi;

// Loads msi.dll from the system folder and fills RealMsiFunctions and Msi. False when the
// library or a function is missing (no Windows Installer; both tables stay empty). Loading
// again after success only resets Msi to RealMsiFunctions.
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

// Characters of the product code buffer, terminator included; a braced GUID needs 39.
constexpr DWORD ProductCodeBufferLength = 40;

// Advertised and installed products are on the machine; any other state counts as absent.
inline bool ProductIsPresent(INSTALLSTATE state) {
    return state == INSTALLSTATE_ADVERTISED || state == INSTALLSTATE_DEFAULT;
}
