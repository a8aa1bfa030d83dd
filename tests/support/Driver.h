// Drives the real Setup.exe from another process as a user would. Every wait has a
// timeout; a failure says which page and control were expected.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

// Thrown when something the driver waits for does not appear in time.
struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr DWORD DefaultTimeout = 15000;

// The installer process under test.
class SetupProcess {
  public:
    // Starts <folder>\Setup.exe in <folder> with the arguments; programFiles (empty:
    // unchanged) becomes ProgramFiles, which puts the default destination under it.
    SetupProcess(const std::string& folder, const std::string& programFiles,
                 const std::string& arguments = "");
    ~SetupProcess();
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // Waits for the end; returns the exit code, or throws on timeout.
    DWORD WaitForExit(DWORD timeout = 60000);
    bool HasExited() const;

  private:
    PROCESS_INFORMATION info_ = {};
};

// A visible top-level window of the process with `caption` and a child `childText` (empty: any).
HWND FindTopLevel(DWORD processId, const std::string& caption, const std::string& childText = "",
                  const char* className = nullptr);

// The page window showing the given title label; throws after the timeout.
HWND WaitForPage(DWORD processId, const std::string& title, DWORD timeout = DefaultTimeout);

// The text of the title label of the visible page, or "" when no page is up.
std::string CurrentPageTitle(DWORD processId);

// A message box (dialog class #32770) with the caption; throws after the timeout.
HWND WaitForMessageBox(DWORD processId, const std::string& caption, DWORD timeout = DefaultTimeout);
// True when such a box shows up within the time.
bool MessageBoxAppears(DWORD processId, const std::string& caption, DWORD timeout);
std::string MessageBoxText(HWND box);
// Presses IDOK, IDYES or IDNO on the box and waits for it to go.
void AnswerMessageBox(HWND box, int button);

// Child controls, found by window text (captions with "&" as shown in code)
// or by class and position in creation order.
HWND Control(HWND page, const std::string& text);
std::vector<HWND> ControlsOfClass(HWND page, const std::string& className);
std::string Text(HWND window);
bool IsEnabled(HWND window);
bool IsChecked(HWND button);

void Click(HWND button); // posted BM_CLICK, as a mouse click
void SetEditText(HWND edit, const std::string& text);
void PressKey(HWND page, UINT virtualKey); // to a control, or to a page's focused control
void PressAlt(HWND page, char letter);     // Alt+letter access key
void CloseFromTitleBar(HWND page);         // the close box
void MoveWindowTo(HWND window, int left, int top);
RECT WindowRect(HWND window);

// Waits until the control is enabled (a click posted before is handled).
void WaitUntilEnabled(HWND control, DWORD timeout = DefaultTimeout);

// Waits until the window is hidden or destroyed.
void WaitUntilGone(HWND window, DWORD timeout = DefaultTimeout);

// A list view in another process.
struct ListRow {
    std::string caption;
    std::string second; // second column
    bool checked = false;
    int image = -1;
};
std::vector<ListRow> ListRows(HWND listView);
void SetRowChecked(HWND listView, int row, bool checked);
void FocusRow(HWND listView, int row);

} // namespace e2e
