// Configuration files made to break the loader: random bytes, huge lines,
// thousands of sections, repeated sections, values around the 2047-character
// cut, every number format, invalid UTF-8, byte order marks and NUL bytes.
// The same seed gives the same files.
#pragma once

#include <random>
#include <string>

enum class IniKind {
    RandomBytes,
    RandomTokens,
    HugeLine,
    ManySections,
    RepeatedSections,
    BufferEdges,
    NumberFormats,
    BadEncoding,
    NulBytes,
    WellFormed,
    KindCount
};

const char* IniKindName(IniKind kind);

// One file of the kind. Big files (the huge line and the many sections)
// come only with big set; otherwise those kinds stay small.
std::string GenerateIni(std::mt19937& random, IniKind kind, bool big);
