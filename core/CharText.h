// Texts of the ANSI code page walked by character, not by byte.
//
// In a double-byte code page (932, 936, 949, 950) a character may take two
// bytes, and its second byte may be 0x5C ("\"), 0x7C ("|"), "[" or "]" or an
// ASCII letter: "表" in code page 932 is 0x95 0x5C. Every place that cuts,
// scans or case-folds a path or a name goes through these helpers, so that
// such a byte is never taken for a separator or a letter. Each takes the code
// page of the text, the ANSI code page by default.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Where the character after the one at pos starts: pos + 2 for a lead byte
// followed by another byte, else pos + 1.
size_t NextCharacter(const std::string& text, size_t pos, UINT codePage = CP_ACP);

// Where the character before pos starts; npos at the start of the text.
size_t PreviousCharacter(const std::string& text, size_t pos, UINT codePage = CP_ACP);

// Where the last character starts; npos for the empty text.
size_t LastCharacter(const std::string& text, UINT codePage = CP_ACP);

// The longest start of the text of at most maxBytes bytes that ends on a
// whole character: a text cut for display never ends in half a character.
std::string WholeCharacters(const std::string& text, size_t maxBytes, UINT codePage = CP_ACP);

// True when the last character is the single-byte character c.
bool EndsWithCharacter(const std::string& text, char c, UINT codePage = CP_ACP);

// The first character at or after from that is one of the single-byte
// characters in set, or npos.
size_t FindCharacterOf(const std::string& text, const char* set, size_t from = 0,
                       UINT codePage = CP_ACP);

// The last character that is one of the single-byte characters in set, or
// npos.
size_t FindLastCharacterOf(const std::string& text, const char* set, UINT codePage = CP_ACP);

// The parts between the separators in set, empty parts included: "a\\b\\"
// gives "a", "b" and "".
std::vector<std::string> SplitAtCharacters(const std::string& text, const char* set,
                                           UINT codePage = CP_ACP);

// True when both names are the same without regard to case, compared as the
// file system and the profile functions compare names: ordinally, each
// character folded on its own, never by the rules of a language.
bool SameNameNoCase(const std::string& a, const std::string& b, UINT codePage = CP_ACP);
