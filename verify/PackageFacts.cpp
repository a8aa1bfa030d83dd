// Package database queries of the distribution check.
#include "PackageFacts.h"

#include "MsiFunctions.h"

#include <vector>

namespace {

// The handles of one query, closed whatever happened.
struct Query {
    MSIHANDLE view = 0;
    ~Query() { Msi.MsiCloseHandle(view); }
};

struct Record {
    MSIHANDLE handle = 0;
    ~Record() { Msi.MsiCloseHandle(handle); }
};

bool Open(MSIHANDLE database, const std::string& sql, Query& query) {
    return Msi.MsiDatabaseOpenViewA(database, sql.c_str(), &query.view) == ERROR_SUCCESS &&
           Msi.MsiViewExecute(query.view, 0) == ERROR_SUCCESS;
}

std::string FieldText(MSIHANDLE record) {
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const UINT result = Msi.MsiRecordGetStringA(record, 1, buffer.data(), &length);
        if (result == ERROR_MORE_DATA) {
            buffer.resize(length + 1);
            continue;
        }
        return result == ERROR_SUCCESS ? std::string(buffer.data(), length) : std::string();
    }
}

std::string PropertyValue(MSIHANDLE database, const char* property) {
    Query query;
    Record record;
    const std::string sql =
        std::string("SELECT `Value` FROM `Property` WHERE `Property`='") + property + "'";
    if (!Open(database, sql, query) ||
        Msi.MsiViewFetch(query.view, &record.handle) != ERROR_SUCCESS)
        return "";
    return FieldText(record.handle);
}

// A package without a File table installs no files: 0 bytes.
int64_t InstalledBytes(MSIHANDLE database) {
    Query query;
    if (!Open(database, "SELECT `FileSize` FROM `File`", query))
        return 0;
    int64_t total = 0;
    for (;;) {
        Record record;
        if (Msi.MsiViewFetch(query.view, &record.handle) != ERROR_SUCCESS)
            return total;
        const int size = Msi.MsiRecordGetInteger(record.handle, 1);
        if (size > 0)
            total += size;
    }
}

} // namespace

bool ReadPackageFacts(const std::string& path, PackageFacts& facts) {
    MSIHANDLE database = 0;
    if (Msi.MsiOpenDatabaseA(path.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS)
        return false;
    facts.ProductCode = PropertyValue(database, "ProductCode");
    facts.ProductVersion = PropertyValue(database, "ProductVersion");
    facts.InstalledBytes = InstalledBytes(database);
    Msi.MsiCloseHandle(database);
    return true;
}
