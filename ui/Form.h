// The wizard's form layer: a page is a fixed-size modeless dialog over the shared background
// picture, its controls built from a layout table (Layout.h). The page object lives for the
// whole run; its window is made at the first show and kept. Keys go through the dialog manager.
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

// Texts of a page shown for another task than its own (progress and completion of a removal).
struct PageTexts {
    const char* Title;
    const char* Text;
    const char* Summary; // the completion page's group box; null elsewhere
};

// Client area of every page at 96 DPI; it scales with the DPI like the rest of the layout.
constexpr int PageClientWidth = 600;
constexpr int PageClientHeight = 400;

class Form {
  public:
    // A page whose window will stand at this position; without a close box, no system menu.
    Form(int left, int top, bool closeBox = true);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The page's window: null until the page is first shown.
    HWND Handle = nullptr;
    int PageResult = PageResults::None;
    // The background picture at the window's DPI, shared by the pages; null without one.
    HBITMAP backgroundPicture = nullptr;

    // The DPI the window is laid out for (when made and on a DPI change); 96 before that.
    int Dpi() const { return dpi_; }

    // Makes the window (hidden) and its controls unless already made; false when it could not.
    bool MakeWindow();

    // Shows the page modally (the previously active window disabled) until PageResult is
    // non-zero and OnCloseQuery and OnClose let it go, then hides it and returns the result.
    // A page whose window cannot be made says so in a box and returns Cancel.
    int ShowModal();
    // Shows the page without waiting and paints it at once.
    void Show();
    // Hides a page shown without waiting.
    void Hide();

    // The window's position; the stored one while there is no window yet.
    int Left() const;
    int Top() const;
    void SetPosition(int left, int top);

    // Centre the page at its first show only, on the work area of the monitor holding its given
    // position (off every monitor: the one under the mouse pointer).
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

    // Presses a button as a click would; true when its handler ran (never for a disabled one).
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
    // The control focused when the page opens; by default the first in tab order that can be.
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
