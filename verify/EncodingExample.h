// How a configuration file's UTF-8 text reads in the user's ANSI code page.
#pragma once

#include <windows.h>

#include <string>

// A UTF-8 finding's example: the line's first character above 127 as its bytes in hex, then
// the character in the code page (U+ code point when it lacks it), so the report reads right in
// any code page: "E8 A1 A8 for "表"".
std::string Utf8Example(const std::string& line, UINT codePage = CP_ACP);
