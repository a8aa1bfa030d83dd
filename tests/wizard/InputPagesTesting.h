// Helpers of the input page tests.
#pragma once

#include "Form.h"

#include <commctrl.h>

#include <cstring>

// A visible dialog (class #32770) of the thread with this caption, or with
// any caption for nullptr; null when there is none.
inline HWND VisibleDialog(DWORD thread, const char* caption) {
    struct Search {
        const char* caption;
        HWND found;
    } search{caption, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
                (!s->caption || WindowText(window) == s->caption))
                s->found = window;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline bool RowChecked(HWND list, int row) {
    return ListView_GetCheckState(list, row) != 0;
}
