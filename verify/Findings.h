// What the distribution check reports: one finding per fault it sees.
#pragma once

#include <string>
#include <vector>

// Errors make the check fail; warnings alone do not.
enum class Severity { Warning, Error };

struct Finding {
    std::string Section; // the section as written in the file; empty for the whole file
    std::string Setting; // the setting concerned; empty for the section or the file
    Severity Level = Severity::Warning;
    std::string Problem;   // what is wrong
    std::string RunEffect; // what the installer would do with it
};

using Findings = std::vector<Finding>;

inline bool HasErrors(const Findings& findings) {
    for (const Finding& finding : findings)
        if (finding.Level == Severity::Error)
            return true;
    return false;
}
