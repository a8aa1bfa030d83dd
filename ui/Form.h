// The wizard's form layer: a page is a fixed-size top-level modeless dialog
// with the shared background picture, whose controls are built from a layout
// table of plain control descriptions (Layout.h). The page object lives for
// the whole run; its window is made when the page is first shown and kept
// for the rest of the run. A page is shown modally, returning its PageResult
// when the close sequence has completed, or without waiting (the progress
// page). Keys go through the dialog manager.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The value with which a page closes.
namespace PageResults {
constexpr int None = 0;   // still open
constexpr int Next = 1;   // OnNext
constexpr int Cancel = 2; // OnCancel, the close box or the system menu
constexpr int Back = 4;   // OnBack
} // namespace PageResults

// The kinds of control a layout table can hold. Each is a standard window.
enum class ControlKind {
    Label,       // STATIC, transparent over the picture, word-wrapped
    Title,       // STATIC, one line, Verdana bold 10 point, navy
    Button,      // BUTTON push button
    RadioButton, // BUTTON auto radio button, white background
    CheckBox,    // BUTTON auto check box, white background
    GroupBox,    // BUTTON group box, white background
    Edit,        // EDIT, one line
    ListView,    // SysListView32 in report view, white
    RichText,    // read-only rich text box, white
    ProgressBar, // msctls_progress32
};

// Settings of a control in a layout table, combined with |.
namespace Flag {
constexpr unsigned None = 0;
constexpr unsigned Disabled = 1u << 0;
constexpr unsigned Default = 1u << 1;    // button pressed by Enter
constexpr unsigned Cancel = 1u << 2;     // button pressed by Esc (its ID is IDCANCEL)
constexpr unsigned Checked = 1u << 3;    // radio button or check box
constexpr unsigned OneLine = 1u << 4;    // label: one line, cut off at the right edge
constexpr unsigned Bold = 1u << 5;       // label: the page font in bold
constexpr unsigned AutoSize = 1u << 6;   // label: sized to its text
constexpr unsigned NoHeader = 1u << 7;   // list view: no column headers
constexpr unsigned Borderless = 1u << 8; // list view: no border, flat
constexpr unsigned CheckBoxes = 1u << 9; // list view: a check box per row
constexpr unsigned RowSelect = 1u << 10; // list view: whole-row selection
constexpr unsigned NamesNext = 1u << 11; // label: names the control after it
} // namespace Flag

// The tab position of a control that the focus skips.
constexpr int NoTabStop = -1;

// One control as the form layer creates it.
struct ControlDefinition {
    ControlKind Kind;
    int Left, Top, Width, Height; // within the 600 x 400 client area
    const char* Caption;          // window text; "&" marks the access key
    unsigned Flags;
    int TabPosition; // NoTabStop, or 0, 1, ... in the page's tab order
};

// The page caption, shared by every window of the installer.
inline constexpr const char* InstallerCaption = "Norvane Component Installer";

// Title and text of a page shown for another task than its own (the
// progress and completion pages of a removal).
struct PageTexts {
    const char* Title;
    const char* Text;
    const char* Summary; // the completion page's group box; null elsewhere
};

// Client area of every page at 96 DPI; it scales with the window's DPI like
// every position and size of the layout.
constexpr int PageClientWidth = 600;
constexpr int PageClientHeight = 400;

class Form {
  public:
    // A page whose window will stand at this position, 600 x 400 client
    // pixels. Without a close box the window has no system menu either.
    Form(int left, int top, bool closeBox = true);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The page's window: null until the page is first shown.
    HWND Handle = nullptr;
    int PageResult = PageResults::None;
    // The background picture at the window's DPI, shared by all pages at that
    // DPI; null without one.
    HBITMAP backgroundPicture = nullptr;

    // The DPI the window is laid out for: taken when the window is made and
    // again when it moves to a monitor of another DPI; 96 until then.
    int Dpi() const { return dpi_; }

    // Makes the window, hidden, and its controls, unless already made. False
    // when the system could not make them.
    bool HandleNeeded();

    // Shows the page modally: the window that was active is kept from input,
    // the dialog manager's keys work, and messages are handled until the
    // result is non-zero and the close sequence (OnCloseQuery, OnClose)
    // lets the page go; then the page is hidden. A page whose window cannot
    // be made reports it in a box and returns Cancel.
    int ShowModal();
    // Shows the page without waiting and paints it at once.
    void Show();
    // Hides a page shown without waiting.
    void Hide();

    // The window's position; the stored one while there is no window yet.
    int Left() const;
    int Top() const;
    void SetPosition(int left, int top);

    // Centres the page at its first show, never again: on the work area of
    // the monitor that holds the position the controller gave it (or, off
    // every monitor, of the monitor under the mouse pointer).
    bool CentreAtFirstShow = false;

    // ---- Building: used by BuildLayout (Layout.h) ----------------------------
    // Adds a control (making the window first if need be); null on failure.
    HWND AddControl(const ControlDefinition& definition);
    // Handlers report failures themselves, in a box owned by the page.
    void BindClick(HWND control, std::function<void()> handler);
    // Gives a list view its small images, cut from a strip resource at the
    // page's DPI, and again whenever the DPI changes. The list view owns them.
    void SetImageStrip(HWND list, int bitmapId);

    // The layout row a control was made from (positions in pixels at 96 DPI);
    // null for a window that is not one of the page's controls.
    const ControlDefinition* LayoutOf(HWND control) const;

    // Presses a button as a click would: runs its handler unless the button
    // is disabled or has none. True when a handler ran.
    bool PressButton(HWND button);

  protected:
    // Builds the page's controls, once, when its window is made.
    virtual void CreateControls() {}
    // Events; pages override the ones they have.
    virtual void OnShow() {}
    virtual void OnCloseQuery(bool& /*canClose*/) {}
    virtual void OnClose() {}
    // Notifications of controls other than button clicks.
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    // The control that has the focus when the page opens: by default the
    // first control of the tab order that can take it.
    virtual HWND InitialFocus();

  private:
    struct Control {
        HWND Handle;
        ControlDefinition Definition;
        std::function<void()> Click;
        int ImageStrip = 0; // list view: the bitmap of its images, or 0
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR ControlColours(HDC dc, HWND child);
    void ApplyColourScheme();
    const Control* FindControl(HWND handle) const;
    bool Prepare();
    void Reveal();
    bool CloseSequenceLetsGo();
    void UpdateRadioTabStops();
    void SetIcons();
    SIZE FrameSize(int dpi) const;
    void ApplyDpi(int dpi);

    std::vector<Control> controls_;
    HWND focusAtShow_ = nullptr;
    int left_;
    int top_;
    int dpi_ = 96;
    DWORD style_;
    DWORD exStyle_ = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    bool closeBox_;
    bool shownBefore_ = false;
    bool complete_ = true;
    bool lastWasRadio_ = false;
    bool highContrast_ = false; // the setting the controls were made or last coloured for
    int nextControlId_ = 100;
};

// Asks "Are you sure you want to quit?" in a Yes/No box owned by the page;
// true on Yes. Pages with the quit confirmation call it from OnCloseQuery.
bool ConfirmQuit(HWND owner);

// The window text of a window.
std::string WindowText(HWND window);
