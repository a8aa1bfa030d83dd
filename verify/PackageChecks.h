// What the Windows Installer will do with a package, judged from what its
// database says: platform, language, per-machine scope, INSTALLDIR, its
// cabinets, its upgrade rows, its version and whether it asks for a restart.
#pragma once

#include "Findings.h"
#include "PackageFacts.h"

#include <string>

// Adds one finding per fault of the package file (named in section, lying in
// folder) to findings. Every finding names the package and the table or
// property it comes from.
void CheckPackageContents(const std::string& section, const std::string& file,
                          const PackageFacts& facts, const std::string& folder, Findings& findings);

// True when the version's first three parts are numbers within the Windows
// Installer's limits, 255.255.65535 (a fourth part is ignored by it).
bool IsInstallerVersion(const std::string& version);
