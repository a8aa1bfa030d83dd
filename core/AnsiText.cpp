// Exact conversions from wide text to the ANSI code page.
#include "AnsiText.h"

#include <windows.h>

namespace {

// *usedDefault (when given) tells whether a character had no counterpart. A UTF-8 ANSI code
// page takes neither the best-fit flag nor the question: every character converts there.
std::string Narrowed(const std::wstring& text, DWORD flags, BOOL* usedDefault) {
    if (text.empty())
        return "";
    if (GetACP() == CP_UTF8) {
        flags = 0;
        usedDefault = nullptr;
    }
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefault);
    std::string narrow(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, flags, text.data(), length, narrow.data(), size, nullptr,
                            nullptr);
    return narrow;
}

} // namespace

std::optional<std::string> ExactAnsi(const std::wstring& text) {
    BOOL usedDefault = FALSE;
    const std::string narrow = Narrowed(text, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault || (narrow.empty() && !text.empty()))
        return std::nullopt;
    // The way back must give the same text: a lone surrogate, for one, would not survive.
    const int length = static_cast<int>(narrow.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, nullptr, 0);
    std::wstring back(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, narrow.data(), length, back.data(), size);
    if (back != text)
        return std::nullopt;
    return narrow;
}

std::string AnsiForDisplay(const std::wstring& text) {
    return Narrowed(text, WC_NO_BEST_FIT_CHARS, nullptr);
}
