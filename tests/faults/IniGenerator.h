// Configuration files made to break the loader; the same seed gives the same files.
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

// One file of the kind; the huge line and the many sections are big only with big set.
std::string GenerateIni(std::mt19937& random, IniKind kind, bool big);
