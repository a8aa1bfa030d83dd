// A package's external cabinets, read from its Media table (read-only).
#include "ExternalCabinets.h"

#include "MsiFunctions.h"
#include "SafeNames.h"

std::vector<std::string> ExternalCabinets(const std::string& packagePath) {
    std::vector<std::string> cabinets;
    MSIHANDLE database = 0, view = 0;
    if (!Msi.MsiOpenDatabaseA ||
        Msi.MsiOpenDatabaseA(packagePath.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS)
        return cabinets;
    if (Msi.MsiDatabaseOpenViewA(database, "SELECT `Cabinet` FROM `Media`", &view) ==
            ERROR_SUCCESS &&
        Msi.MsiViewExecute(view, 0) == ERROR_SUCCESS) {
        MSIHANDLE record = 0;
        while (Msi.MsiViewFetch(view, &record) == ERROR_SUCCESS) {
            char name[MAX_PATH] = {};
            DWORD length = MAX_PATH;
            if (Msi.MsiRecordGetStringA(record, 1, name, &length) == ERROR_SUCCESS &&
                name[0] != '#' && IsSafeFileName(name))
                cabinets.push_back(name);
            Msi.MsiCloseHandle(record);
        }
    }
    Msi.MsiCloseHandle(view);
    Msi.MsiCloseHandle(database);
    return cabinets;
}
