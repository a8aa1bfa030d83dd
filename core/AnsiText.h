// Wide text in the ANSI code page, exactly or not at all.
//
// The plain conversion maps a character the code page lacks to a look-alike
// ("Ω" to "O", a fullwidth backslash to "\"): a path or an argument would then
// name another file than the one meant. These helpers refuse instead.
#pragma once

#include <optional>
#include <string>

// The text in the ANSI code page when every character has an exact
// counterpart there (no best-fit look-alike, no default character, and the
// result converts back to the same text); none otherwise.
std::optional<std::string> ExactAnsi(const std::wstring& text);

// The text for a message: characters the code page lacks shown as "?".
std::string AnsiForDisplay(const std::wstring& text);
