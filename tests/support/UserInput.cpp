#include "UserInput.h"

namespace support {

namespace {

struct TopLevelSearch {
    const WindowQuery& query;
    HWND found;
};

struct ChildSearch {
    const std::string& className;
    const std::string* text; // null: collect every child of the class
    std::vector<HWND> found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (!search->className.empty() && _stricmp(ClassOf(child).c_str(), search->className.c_str()))
        return TRUE;
    if (search->text && StoredText(child) != *search->text)
        return TRUE;
    search->found.push_back(child);
    return search->text == nullptr;
}

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopLevelSearch*>(data);
    const WindowQuery& query = search->query;
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (!IsWindowVisible(window) || (query.ProcessId && process != query.ProcessId) ||
        (query.ThreadId && thread != query.ThreadId) ||
        (!query.ClassName.empty() && ClassOf(window) != query.ClassName) ||
        (!query.Caption.empty() && StoredText(window) != query.Caption) ||
        (!query.ChildText.empty() && !FindChild(window, "", query.ChildText)))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::string StoredText(HWND window) {
    wchar_t text[1024] = {};
    const int length = InternalGetWindowText(window, text, 1024);
    char narrow[4096] = {};
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow, sizeof narrow - 1, nullptr, nullptr);
    return narrow;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FindTopLevel(const WindowQuery& query) {
    TopLevelSearch search{query, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    ChildSearch search{className, &text, {}};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className) {
    ChildSearch search{className, nullptr, {}};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string MessageBoxText(HWND box) {
    return StoredText(GetDlgItem(box, 0xFFFF));
}

bool ClickBoxButton(HWND box, int button) {
    HWND control = GetDlgItem(box, button);
    if (!control)
        return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
    return true;
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    if (virtualKey == VK_SPACE)
        PostMessageA(window, WM_CHAR, ' ', 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void PostAltKey(HWND window, char letter) {
    // Bit 29: the Alt key is down.
    PostMessageA(window, WM_SYSCHAR, static_cast<unsigned char>(letter), 1 | (1u << 29));
}

} // namespace support
