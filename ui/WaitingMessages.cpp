// Serving a page's messages from inside the service's callbacks.
#include "WaitingMessages.h"

namespace {

// One call serves at most this long, so that posted messages cannot keep the service waiting.
constexpr ULONGLONG ServeLimitMs = 20;

bool OnPage(HWND window, HWND page) {
    return window == page || IsChild(page, window);
}

} // namespace

bool IsDroppedInput(const MSG& message, HWND page, HWND button) {
    if (!OnPage(message.hwnd, page) || message.hwnd == button)
        return false;
    const UINT id = message.message;
    if (id >= WM_KEYFIRST && id <= WM_KEYLAST) {
        // Alt with a letter reaches the page's access keys; Alt+Tab and the
        // like are the system's.
        if (id == WM_SYSKEYDOWN || id == WM_SYSKEYUP || id == WM_SYSCHAR)
            return false;
        return message.wParam != VK_ESCAPE && message.wParam != VK_TAB;
    }
    // Clicks on the page's controls; the frame (moving the window) and pointer moves pass.
    return id >= WM_MOUSEFIRST && id <= WM_MOUSELAST && id != WM_MOUSEMOVE;
}

void ServeWaitingMessagesOf(HWND page, HWND button) {
    const ULONGLONG start = GetTickCount64();
    MSG message;
    while (GetTickCount64() - start < ServeLimitMs &&
           PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDroppedInput(message, page, button))
            continue;
        if (!IsDialogMessageA(page, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
