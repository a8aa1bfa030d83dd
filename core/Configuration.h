// The configuration file beside the executable, read into the catalogue.
#pragma once

#include <string>
#include <vector>

// Fills the catalogue from the configuration file beside the executable. False when the file
// is missing; once loaded, later calls return true without reading anything.
bool LoadConfiguration();

// The same, from a named file (the executable's own file in production).
bool LoadConfigurationFrom(const std::string& iniPath);

// The executable's path with ".INI" for its extension (from the last "." not followed by "\"
// or ":"); ".INI" is appended when there is none.
std::string ConfigurationFileName(const std::string& executablePath);

// The file's section names in file order, as the profile functions list them: catalogue order.
std::vector<std::string> ReadSectionNames(const std::string& file);

// Section and setting names compared as the profile functions do: by ANSI character, any case.
bool SameProfileName(const std::string& a, const std::string& b);

// The running executable's full path (any length) in the ANSI code page: exact, or its 8.3 form
// when the long one has characters the code page lacks; empty when neither can be written.
std::string ExecutablePath();

// The running executable's full path as the system holds it.
std::wstring ExecutablePathWide();

// Empty when ExecutablePath() names the executable; else a sentence for the configuration error
// naming its folder ("?" for characters the code page lacks).
std::string UnnamedExecutableFolderNote();
