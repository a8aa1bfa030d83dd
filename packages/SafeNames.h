// Names from the configuration file that become parts of paths.
#pragma once

#include <windows.h>

#include <string>

// True when name, appended to a folder with a separator, stays inside that
// folder under the name given: not empty, no drive or stream (":"), no root
// or UNC prefix, and no segment that is empty, ends in a dot or a space
// (Windows drops those, so "." and ".." and "a." all name another entry),
// holds a character no file name may hold (< > " | ? * and control
// characters) or is a reserved device name (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, with or without an extension). Both "\" and "/" separate segments.
//
// The rules apply to characters of the code page the name is written in (the
// ANSI code page by default): in a double-byte code page such as 932 a
// character's second byte may be 0x5C or 0x7C, which is neither "\" nor "|".
bool IsSafeRelativeName(const std::string& name, UINT codePage = CP_ACP);

// True when name is one safe segment: a file directly inside the folder.
bool IsSafeFileName(const std::string& name, UINT codePage = CP_ACP);
