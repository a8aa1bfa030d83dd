// The configuration file beside the executable, read into the catalogue.
#pragma once

#include <string>
#include <vector>

// Fills the catalogue from the configuration file beside the executable.
// False when the file is missing; after a load a second call returns true at
// once without reading anything.
bool LoadConfiguration();

// The same, from a named file (the executable's own file in production).
bool LoadConfigurationFrom(const std::string& iniPath);

// The executable's path with its extension replaced by ".INI": the extension
// starts at the last "." not followed by "\" or ":"; without one ".INI" is
// appended.
std::string ConfigurationFileName(const std::string& executablePath);

// All section names of the file in file order, as the profile functions list
// them: the catalogue's entries in the same order.
std::vector<std::string> ReadSectionNames(const std::string& file);

// Section and setting names compared as the profile functions compare them:
// character by character in the ANSI code page, without regard to case.
bool SameProfileName(const std::string& a, const std::string& b);

// The running executable's full path (any length) in the ANSI code page:
// exactly, or its short (8.3) form when the long one holds characters the
// code page lacks; empty when neither can be written in it.
std::string ExecutablePath();

// The running executable's full path as the system holds it.
std::wstring ExecutablePathWide();

// Empty when ExecutablePath() names the executable; otherwise a sentence for
// the configuration error naming its folder ("?" for characters the code
// page lacks).
std::string UnnamedExecutableFolderNote();
