// The distribution's signatures, by the rule the installation run applies: a
// signed Setup.exe installs only packages signed with its own certificate.
#pragma once

#include "Findings.h"

#include <string>
#include <vector>

struct SignedPackage {
    std::string Section;
    std::string File; // as named in the configuration file, beside the program
};

// program: the Setup.exe whose rule applies. An unsigned program is a warning; a signature that
// does not verify, and every package the signed program would refuse, an error.
void CheckSignatures(const std::string& program, const std::string& folder,
                     const std::vector<SignedPackage>& packages, Findings& findings);
