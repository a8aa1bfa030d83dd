// Package database queries of the distribution check.
#include "PackageFacts.h"

#include "MsiFunctions.h"
#include "SystemLibraries.h"

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

std::string FieldText(MSIHANDLE record, UINT field = 1) {
    std::vector<char> buffer(256);
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const UINT result = Msi.MsiRecordGetStringA(record, field, buffer.data(), &length);
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

// Field 1 of every row of a query; none when the table is missing.
std::vector<std::string> Column(MSIHANDLE database, const char* sql) {
    std::vector<std::string> values;
    Query query;
    if (!Open(database, sql, query))
        return values;
    for (;;) {
        Record record;
        if (Msi.MsiViewFetch(query.view, &record.handle) != ERROR_SUCCESS)
            return values;
        values.push_back(FieldText(record.handle));
    }
}

// The summary functions are not in the Msi table: looked up in the already loaded system msi.dll.
std::string TemplateOf(MSIHANDLE database) {
    static HMODULE library = LoadSystemLibrary("msi.dll");
    if (!library)
        return "";
    decltype(&MsiGetSummaryInformationA) getSummary = nullptr;
    decltype(&MsiSummaryInfoGetPropertyA) getProperty = nullptr;
    constexpr UINT TemplateProperty = 7; // PID_TEMPLATE
    MSIHANDLE summary = 0;
    if (!ResolveExport(library, "MsiGetSummaryInformationA", getSummary) ||
        !ResolveExport(library, "MsiSummaryInfoGetPropertyA", getProperty) ||
        getSummary(database, nullptr, 0, &summary) != ERROR_SUCCESS)
        return "";
    std::vector<char> buffer(256);
    UINT type = 0;
    INT number = 0;
    FILETIME time = {};
    DWORD length = static_cast<DWORD>(buffer.size());
    UINT result =
        getProperty(summary, TemplateProperty, &type, &number, &time, buffer.data(), &length);
    if (result == ERROR_MORE_DATA) {
        buffer.resize(++length);
        result =
            getProperty(summary, TemplateProperty, &type, &number, &time, buffer.data(), &length);
    }
    Msi.MsiCloseHandle(summary);
    constexpr UINT TextType = 30; // VT_LPSTR, from the OLE headers
    return result == ERROR_SUCCESS && type == TextType ? std::string(buffer.data(), length) : "";
}

} // namespace

bool ReadPackageFacts(const std::string& path, PackageFacts& facts) {
    MSIHANDLE database = 0;
    if (Msi.MsiOpenDatabaseA(path.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS)
        return false;
    facts.ProductCode = PropertyValue(database, "ProductCode");
    facts.ProductVersion = PropertyValue(database, "ProductVersion");
    facts.InstalledBytes = InstalledBytes(database);
    facts.Template = TemplateOf(database);
    facts.ProductLanguage = PropertyValue(database, "ProductLanguage");
    facts.UpgradeCode = PropertyValue(database, "UpgradeCode");
    facts.AllUsers = PropertyValue(database, "ALLUSERS");
    facts.InstallPerUser = PropertyValue(database, "MSIINSTALLPERUSER");
    facts.Reboot = PropertyValue(database, "REBOOT");
    facts.HasInstallDir =
        !Column(database, "SELECT `Directory` FROM `Directory` WHERE `Directory`='INSTALLDIR'")
             .empty();
    for (const char* table : {"InstallExecuteSequence", "InstallUISequence"})
        facts.SchedulesReboot =
            facts.SchedulesReboot || !Column(database, (std::string("SELECT `Action` FROM `") +
                                                        table + "` WHERE `Action`='ScheduleReboot'")
                                                           .c_str())
                                          .empty();
    facts.UpgradeRows =
        static_cast<int>(Column(database, "SELECT `UpgradeCode` FROM `Upgrade`").size());
    facts.Cabinets = Column(database, "SELECT `Cabinet` FROM `Media`");
    Msi.MsiCloseHandle(database);
    return true;
}
