// What the distribution check reads from a package's database, read-only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PackageFacts {
    std::string ProductCode;    // the Property table's value; empty when it has none
    std::string ProductVersion; // the same for ProductVersion
    int64_t InstalledBytes = 0; // the sum of the File table's FileSize column

    std::string Template;              // the summary information's "platform;languages"
    std::string ProductLanguage;       // the Property table's values, as above
    std::string UpgradeCode;           //
    std::string AllUsers;              // ALLUSERS
    std::string InstallPerUser;        // MSIINSTALLPERUSER
    std::string Reboot;                // REBOOT
    bool HasInstallDir = false;        // a Directory row INSTALLDIR
    bool SchedulesReboot = false;      // ScheduleReboot in a sequence table
    int UpgradeRows = 0;               // rows of the Upgrade table
    std::vector<std::string> Cabinets; // the Media table's Cabinet column, one per row
};

// Opens it read-only through the Msi table; false when it is no Windows Installer database.
bool ReadPackageFacts(const std::string& path, PackageFacts& facts);
