// Names from the configuration file that become parts of paths.
#pragma once

#include <string>

// True when name, appended to a folder with a separator, stays inside that
// folder under the name given: not empty, no drive or stream (":"), no root
// or UNC prefix, and no segment that is empty, ends in a dot or a space
// (Windows drops those, so "." and ".." and "a." all name another entry),
// holds a character no file name may hold (< > " | ? * and control
// characters) or is a reserved device name (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, with or without an extension). Both "\" and "/" separate segments.
bool IsSafeRelativeName(const std::string& name);
