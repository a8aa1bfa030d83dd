// Names from the configuration file that become parts of paths.
#pragma once

#include <string>

// True when name, appended to a folder with a separator, stays inside that
// folder: not empty, no drive or stream (":"), no root or UNC prefix, and no
// segment that is empty, only dots and spaces ("." and ".." included) or a
// reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
// extension). Both "\" and "/" separate segments.
bool IsSafeRelativeName(const std::string& name);
