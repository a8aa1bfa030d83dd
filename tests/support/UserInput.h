// Finding windows and playing the user: the base of the page robot, box answerers and driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace support {

// The class of message boxes and other system dialogs.
inline constexpr const char* DialogClass = "#32770";

// Polls until done() holds or the time is up; true when it held.
template <class Condition> bool WaitFor(DWORD timeout, Condition done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(10);
    }
}

// The text the system keeps for a window, read without a message, so it works while the
// window's thread is busy.
std::string StoredText(HWND window);
std::string ClassOf(HWND window);

// What a visible top-level window has to match; empty fields match anything.
struct WindowQuery {
    DWORD ProcessId = 0;
    DWORD ThreadId = 0;
    std::string ClassName;
    std::string Caption;
    std::string ChildText; // the stored text of one of its children
};
HWND FindTopLevel(const WindowQuery& query);

// A child, at any depth, of that class (empty: any) and stored text.
HWND FindChild(HWND parent, const std::string& className, const std::string& text);
// Every child of that class, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className);

// The text of a message box.
std::string MessageBoxText(HWND box);
// Presses the box's button with this ID as a click would; false when it has none.
bool ClickBoxButton(HWND box, int button);

// The window that has the keyboard focus in the thread, or null.
HWND FocusOf(DWORD threadId);
// A key pressed and released in the window, as the keyboard sends it.
void PostKey(HWND window, UINT virtualKey);
// Alt and a letter: a control's access key.
void PostAltKey(HWND window, char letter);

} // namespace support
