// What Windows Installer will do with a package, judged from its database: platform, language,
// per-machine scope, INSTALLDIR, cabinets, upgrade rows, version and restart requests.
#pragma once

#include "Findings.h"
#include "PackageFacts.h"

#include <string>

// One finding per fault of the package file (named in section, lying in folder), each naming
// the package and the table or property it comes from.
void CheckPackageContents(const std::string& section, const std::string& file,
                          const PackageFacts& facts, const std::string& folder, Findings& findings);

// True for at most four numeric parts, the first three within Windows Installer's limits of
// 255.255.65535 (it ignores a fourth).
bool IsInstallerVersion(const std::string& version);
