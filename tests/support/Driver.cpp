#include "Driver.h"

#include "UserInput.h"

#include <commctrl.h>

#include <cstring>

namespace e2e {

namespace {

// The titles of the eight pages: the label that tells which page is up.
const char* const PageTitles[] = {
    "Welcome to the Norvane Component Installer!",
    "License agreement",
    "Select Norvane components to install",
    "Confirm installation folder",
    "Please provide your name and email address",
    "Ready to install!",
    "Installing Norvane Components",
    "Installation complete",
};

constexpr UINT MessageTimeout = 3000;

using support::WaitFor;

// Memory in the installer's process for list-view messages that take pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (!process_)
            throw DriverError("cannot open the installer's process");
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_)
            throw DriverError("cannot allocate memory in the installer's process");
    }
    ~RemoteBuffer() {
        if (!keep_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(size_t offset, const void* data, size_t size) {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }
    // The target may still use the memory (a message not yet handled).
    void Keep() { keep_ = true; }

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
    bool keep_ = false;
};

std::string ItemText(HWND list, int row, int column) {
    constexpr size_t textSize = 4096;
    RemoteBuffer buffer(list, sizeof(LVITEMA) + textSize);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.At(sizeof(LVITEMA));
    item.cchTextMax = textSize;
    buffer.Write(0, &item, sizeof item);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.At(0)),
                        SMTO_NORMAL, MessageTimeout, &length);
    std::string text(textSize, '\0');
    buffer.Read(sizeof(LVITEMA), text.data(), textSize);
    text.resize(strnlen(text.c_str(), textSize));
    return text;
}

int ItemImage(HWND list, int row) {
    RemoteBuffer buffer(list, sizeof(LVITEMA));
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    buffer.Write(0, &item, sizeof item);
    DWORD_PTR ok = 0;
    SendMessageTimeoutA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.At(0)), SMTO_NORMAL,
                        MessageTimeout, &ok);
    buffer.Read(0, &item, sizeof item);
    return item.iImage;
}

void SetItemState(HWND list, int row, UINT state, UINT mask) {
    RemoteBuffer buffer(list, sizeof(LVITEMA));
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    buffer.Write(0, &item, sizeof item);
    DWORD_PTR result = 0;
    // The change handler may show a message box: don't wait; leave the memory to the target.
    if (!SendMessageTimeoutA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(buffer.At(0)),
                             SMTO_NORMAL, 500, &result))
        buffer.Keep();
}

} // namespace

namespace {

// This process's environment with ProgramFiles replaced, as a CreateProcess block.
// Wine sets ProgramFiles of a 64-bit process from ProgramW6432, so both are given.
std::string EnvironmentWithProgramFiles(const std::string& value) {
    const std::string names[] = {"ProgramFiles", "ProgramW6432"};
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        const std::string text = entry;
        bool replaced = false;
        for (const std::string& name : names)
            replaced =
                replaced || _strnicmp(text.c_str(), (name + "=").c_str(), name.size() + 1) == 0;
        if (!replaced)
            block += text + '\0';
    }
    FreeEnvironmentStringsA(strings);
    for (const std::string& name : names)
        block += name + "=" + value + '\0';
    block += '\0';
    return block;
}

} // namespace

SetupProcess::SetupProcess(const std::string& folder, const std::string& programFiles,
                           const std::string& arguments) {
    std::string command =
        "\"" + folder + "\\Setup.exe\"" + (arguments.empty() ? "" : " ") + arguments;
    std::string environment;
    if (!programFiles.empty())
        environment = EnvironmentWithProgramFiles(programFiles);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : environment.data(), folder.c_str(),
                        &startup, &info_))
        throw DriverError("cannot start " + command + " (error " + std::to_string(GetLastError()) +
                          ")");
}

SetupProcess::~SetupProcess() {
    if (!HasExited()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool SetupProcess::HasExited() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD SetupProcess::WaitForExit(DWORD timeout) {
    if (WaitForSingleObject(info_.hProcess, timeout) != WAIT_OBJECT_0)
        throw DriverError("Setup.exe did not end within " + std::to_string(timeout) +
                          " ms (page: '" + CurrentPageTitle(Id()) + "')");
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND FindTopLevel(DWORD processId, const std::string& caption, const std::string& childText,
                  const char* className) {
    return support::FindTopLevel({processId, 0, className ? className : "", caption, childText});
}

HWND WaitForPage(DWORD processId, const std::string& title, DWORD timeout) {
    HWND page = nullptr;
    if (!WaitFor(timeout, [&] {
            page = FindTopLevel(processId, "Norvane Component Installer", title);
            return page != nullptr && IsWindowEnabled(page);
        }))
        throw DriverError("page '" + title + "' did not appear; page up: '" +
                          CurrentPageTitle(processId) + "'");
    return page;
}

std::string CurrentPageTitle(DWORD processId) {
    for (const char* title : PageTitles)
        if (FindTopLevel(processId, "Norvane Component Installer", title))
            return title;
    return "";
}

HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeout) {
    HWND box = nullptr;
    if (!WaitFor(timeout, [&] {
            box = FindTopLevel(processId, caption, "", "#32770");
            return box != nullptr && GetDlgItem(box, 0xFFFF) != nullptr;
        }))
        throw DriverError("message box '" + caption + "' did not appear; page up: '" +
                          CurrentPageTitle(processId) + "'");
    return box;
}

bool MessageBoxAppears(DWORD processId, const std::string& caption, DWORD timeout) {
    return WaitFor(timeout,
                   [&] { return FindTopLevel(processId, caption, "", "#32770") != nullptr; });
}

std::string MessageBoxText(HWND box) {
    return support::MessageBoxText(box);
}

void AnswerMessageBox(HWND box, int button) {
    if (!support::ClickBoxButton(box, button))
        throw DriverError("message box '" + Text(box) + "' has no button " +
                          std::to_string(button));
    WaitUntilGone(box);
}

HWND Control(HWND page, const std::string& text) {
    if (HWND found = support::FindChild(page, "", text))
        return found;
    DWORD processId = 0;
    GetWindowThreadProcessId(page, &processId);
    throw DriverError("no control '" + text + "' on page '" + CurrentPageTitle(processId) + "'");
}

std::vector<HWND> ControlsOfClass(HWND page, const std::string& className) {
    return support::ChildrenOfClass(page, className);
}

std::string Text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, MessageTimeout, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, MessageTimeout, &copied);
    text.resize(strnlen(text.c_str(), text.size()));
    return text;
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, MessageTimeout, &state);
    return state == BST_CHECKED;
}

void Click(HWND button) {
    // A mouse click on a disabled button reaches nothing.
    if (IsWindowEnabled(button))
        PostMessageA(button, BM_CLICK, 0, 0);
}

void SetEditText(HWND edit, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        MessageTimeout, &result);
}

namespace {

HWND FocusedControl(HWND page) {
    HWND focus = support::FocusOf(GetWindowThreadProcessId(page, nullptr));
    return focus ? focus : page;
}

} // namespace

void PressKey(HWND target, UINT virtualKey) {
    support::PostKey(GetParent(target) ? target : FocusedControl(target), virtualKey);
}

void PressAlt(HWND page, char letter) {
    support::PostAltKey(FocusedControl(page), letter);
}

void CloseFromTitleBar(HWND page) {
    PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void MoveWindowTo(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void WaitUntilEnabled(HWND control, DWORD timeout) {
    if (!WaitFor(timeout, [&] { return IsWindowEnabled(control) != FALSE; }))
        throw DriverError("control '" + support::StoredText(control) + "' stayed disabled");
}

void WaitUntilGone(HWND window, DWORD timeout) {
    if (!WaitFor(timeout, [&] { return !IsWindow(window) || !IsWindowVisible(window); }))
        throw DriverError("window '" + Text(window) + "' did not close");
}

std::vector<ListRow> ListRows(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, MessageTimeout, &count);
    std::vector<ListRow> rows;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        ListRow row;
        row.caption = ItemText(list, i, 0);
        row.second = ItemText(list, i, 1);
        DWORD_PTR state = 0;
        SendMessageTimeoutA(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK, SMTO_NORMAL,
                            MessageTimeout, &state);
        row.checked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
        row.image = ItemImage(list, i);
        rows.push_back(row);
    }
    return rows;
}

void SetRowChecked(HWND list, int row, bool checked) {
    SetItemState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void FocusRow(HWND list, int row) {
    SetItemState(list, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

} // namespace e2e
