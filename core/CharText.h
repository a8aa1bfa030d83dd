// ANSI-code-page text walked by character, not byte: in a double-byte code page (932, 936, 949,
// 950) a second byte may be "\", "|", "[", "]" or an ASCII letter ("表" in 932 is 0x95 0x5C).
// Every cut, scan or case-fold of a path or name goes through these helpers so such a byte is
// never taken for a separator or letter. Each takes the text's code page, CP_ACP by default.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Start of the character after pos: pos + 2 for a lead byte followed by a byte, else pos + 1.
size_t NextCharacter(const std::string& text, size_t pos, UINT codePage = CP_ACP);

// Where the character before pos starts; npos at the start of the text.
size_t PreviousCharacter(const std::string& text, size_t pos, UINT codePage = CP_ACP);

// Where the last character starts; npos for the empty text.
size_t LastCharacter(const std::string& text, UINT codePage = CP_ACP);

// The longest start of text of at most maxBytes bytes that ends on a whole character.
std::string WholeCharacters(const std::string& text, size_t maxBytes, UINT codePage = CP_ACP);

// True when the last character is the single-byte character c.
bool EndsWithCharacter(const std::string& text, char c, UINT codePage = CP_ACP);

// The first character at or after from that is a single-byte character in set, or npos.
size_t FindCharacterOf(const std::string& text, const char* set, size_t from = 0,
                       UINT codePage = CP_ACP);

// The last character that is a single-byte character in set, or npos.
size_t FindLastCharacterOf(const std::string& text, const char* set, UINT codePage = CP_ACP);

// The parts between the separators in set, empty ones included: "a\\b\\" gives "a", "b", "".
std::vector<std::string> SplitAtCharacters(const std::string& text, const char* set,
                                           UINT codePage = CP_ACP);

// Same name ignoring case, as the file system and profile functions compare: ordinally, each
// character folded on its own, never by a language's rules.
bool SameNameNoCase(const std::string& a, const std::string& b, UINT codePage = CP_ACP);
