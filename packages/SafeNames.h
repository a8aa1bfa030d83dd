// Names from the configuration file that become parts of paths.
#pragma once

#include <windows.h>

#include <string>

// True when name, appended to a folder with a separator, stays inside it under the name given:
// not empty, no drive or stream (":"), no root or UNC prefix, and no segment that is empty,
// ends in a dot or space (Windows drops those: ".", ".." and "a." name another entry), holds a
// character no file name may hold (< > " | ? * and controls) or is a device name (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9, with or without extension). "\" and "/" both separate segments.
// Judged by character of codePage (ANSI by default): in a double-byte code page such as 932 a
// second byte of 0x5C or 0x7C is neither "\" nor "|".
bool IsSafeRelativeName(const std::string& name, UINT codePage = CP_ACP);

// True when name is one safe segment: a file directly inside the folder.
bool IsSafeFileName(const std::string& name, UINT codePage = CP_ACP);
