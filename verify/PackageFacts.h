// What the distribution check reads from a package's database, read-only.
#pragma once

#include <cstdint>
#include <string>

struct PackageFacts {
    std::string ProductCode;    // the Property table's value; empty when it has none
    std::string ProductVersion; // the same for ProductVersion
    int64_t InstalledBytes = 0; // the sum of the File table's FileSize column
};

// Opens the package as a Windows Installer database, read-only, through the
// Msi table. False when it does not open as one.
bool ReadPackageFacts(const std::string& path, PackageFacts& facts);
