// How a configuration file's UTF-8 text reads in the user's ANSI code page.
#pragma once

#include <windows.h>

#include <string>

// The example of a finding about UTF-8 text in a line: its first character
// above 127 as its UTF-8 bytes in hex, then the character itself written in
// the code page (its code point when the code page lacks it), so that the
// report reads right in whatever code page it is shown: "E8 A1 A8 for "表"".
std::string Utf8Example(const std::string& line, UINT codePage = CP_ACP);
