// Wide text in the ANSI code page, exactly or not at all: the plain conversion's look-alikes
// ("Ω" to "O", fullwidth backslash to "\") would make a path name another file.
#pragma once

#include <optional>
#include <string>

// The text in the ANSI code page when every character has an exact counterpart (no best-fit,
// no default character, converts back to the same text); none otherwise.
std::optional<std::string> ExactAnsi(const std::wstring& text);

// The text for a message: characters the code page lacks shown as "?".
std::string AnsiForDisplay(const std::wstring& text);
