// Helpers of the input page tests.
#pragma once

#include "Form.h"
#include "UserInput.h"

#include <commctrl.h>

// A visible dialog (#32770) of the thread with this caption (nullptr: any); null if none.
inline HWND VisibleDialog(DWORD thread, const char* caption) {
    return support::FindTopLevel({0, thread, support::DialogClass, caption ? caption : "", ""});
}

inline bool RowChecked(HWND list, int row) {
    return ListView_GetCheckState(list, row) != 0;
}
