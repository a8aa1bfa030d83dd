// The configuration file as written (sections, settings, line numbers) and the lines whose
// characters the installer would misread; the loader's rules are not applied here.
#pragma once

#include "Findings.h"

#include <string>
#include <vector>

struct WrittenSetting {
    std::string Name;  // without the blanks around it
    std::string Value; // without blanks and one pair of quotation marks, not cut
    int Line = 0;
};

struct WrittenSection {
    std::string Name; // without the blanks around it
    int Line = 0;
    std::vector<WrittenSetting> Settings; // in file order
};

struct ConfigurationText {
    std::vector<WrittenSection> Sections;
    Findings EncodingFindings;
};

// Reads the file's bytes. False when it cannot be read.
bool ReadConfigurationText(const std::string& path, ConfigurationText& text);

// The section's first setting of that name (any case), as the profile functions find it; or null.
const WrittenSetting* FindSetting(const WrittenSection& section, const std::string& name);
