// The page window: creation, controls, painting, keyboard and the modal loop.
#include "Form.h"

#include "Artwork.h"
#include "MessageTexts.h"

#include <commctrl.h>
#include <richedit.h>

#include <exception>
#include <stdexcept>

namespace {

constexpr const char* PageClassName = "NorvaneWizardPage";
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Navy = RGB(0, 0, 128);

// An exception thrown by a handler inside a window procedure cannot travel
// through the system's frames; it is kept here and thrown again by the loop
// that dispatched the message.
std::exception_ptr pendingException;

void RethrowPendingException() {
    if (pendingException) {
        std::exception_ptr error = pendingException;
        pendingException = nullptr;
        std::rethrow_exception(error);
    }
}

void RegisterPageClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA page = {};
    page.cbSize = sizeof page;
    page.lpfnWndProc = procedure;
    page.hInstance = GetModuleHandleA(nullptr);
    page.hIcon = InstallerIcon(32);
    page.hIconSm = InstallerIcon(16);
    page.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    page.lpszClassName = PageClassName;
    registered = RegisterClassExA(&page) != 0;
}

// The rich text box keeps the Tab key: Tab does not leave it.
WNDPROC richTextProcedure = nullptr;

LRESULT CALLBACK RichTextKeepsTab(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcA(richTextProcedure, window, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        result |= DLGC_WANTTAB;
    return result;
}

// The group box paints only its frame and caption; its inside is filled
// white here, within the part that is being repainted.
WNDPROC groupBoxProcedure = nullptr;

LRESULT CALLBACK GroupBoxPaintsWhite(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        if (GetUpdateRgn(window, update, FALSE) != NULLREGION) {
            HDC dc = GetDC(window);
            FillRgn(dc, update, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            ReleaseDC(window, dc);
        }
        DeleteObject(update);
    }
    return CallWindowProcA(groupBoxProcedure, window, message, wParam, lParam);
}

// Replaces a control's window procedure; keeps the original (the same for
// every control of the class) for the replacement to call.
void Subclass(HWND control, WNDPROC replacement, WNDPROC& original) {
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement)));
    if (previous != replacement)
        original = previous;
}

const char* RichTextClass() {
    static bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    (void)loaded;
    return RICHEDIT_CLASSA;
}

// Sizes a label to its one-line text in its font.
void FitToText(HWND label, HFONT font) {
    const std::string text = WindowText(label);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font);
    RECT bounds = {0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, bounds.right, bounds.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct ThreadWindows {
    HWND page;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM data) {
    auto* collect = reinterpret_cast<ThreadWindows*>(data);
    if (window != collect->page && IsWindowVisible(window) && IsWindowEnabled(window))
        collect->windows.push_back(window);
    return TRUE;
}

// Disables the visible, enabled top-level windows of this thread other than
// the page; returns them for re-enabling.
std::vector<HWND> DisableOtherWindows(HWND page) {
    ThreadWindows collect{page, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&collect));
    for (HWND window : collect.windows)
        EnableWindow(window, FALSE);
    return collect.windows;
}

} // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

bool ConfirmQuit(HWND owner) {
    return MessageBoxA(owner, MessageTexts::QuitQuestion, MessageTexts::Confirm,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

Form::Form(int left, int top, bool closeBox) : closeBox_(closeBox) {
    RegisterPageClass(WindowProc);
    imgBackground = BackgroundPicture();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | (closeBox ? WS_SYSMENU : 0);
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, PageClientWidth, PageClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    // The window procedure learns Handle on WM_NCCREATE; a window whose
    // creation failed after that is gone, so the result decides.
    Handle = CreateWindowExA(exStyle, PageClassName, InstallerCaption, style, left, top,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), this);
    if (!Handle)
        throw std::runtime_error("The installer could not create its window.");
    SendMessageA(Handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(InstallerIcon(32)));
    SendMessageA(Handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(InstallerIcon(16)));
}

Form::~Form() {
    if (Handle) {
        SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
        DestroyWindow(Handle);
    }
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->Handle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (...) {
        if (!pendingException)
            pendingException = std::current_exception();
        return 0;
    }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                              message, wParam, lParam);
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (const Control* known = control ? FindControl(control) : nullptr) {
            const bool button = known->Kind == ControlKind::Button ||
                                known->Kind == ControlKind::RadioButton ||
                                known->Kind == ControlKind::CheckBox;
            if (button && HIWORD(wParam) == BN_CLICKED)
                PressButton(control);
            else
                OnCommand(control, HIWORD(wParam));
            return 0;
        }
        // What the dialog manager sends for Esc and Enter.
        if (LOWORD(wParam) == IDCANCEL) {
            if (cancelButton_)
                PressButton(cancelButton_);
            return 0;
        }
        if (LOWORD(wParam) == IDOK) {
            if (defaultButton_)
                PressButton(defaultButton_);
            return 0;
        }
        break;
    }
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
        // The close box and the system menu: result 2, then the close sequence.
        if (closeBox_ && modal_ && PageResult == PageResults::None)
            PageResult = PageResults::Cancel;
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle, focus))
                savedFocus_ = focus;
        } else if (savedFocus_ && IsWindow(savedFocus_)) {
            SetFocus(savedFocus_);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (savedFocus_ && IsWindow(savedFocus_)) {
            SetFocus(savedFocus_);
            return 0;
        }
        break;
    case DM_GETDEFID:
        if (defaultButton_)
            return MAKELONG(GetDlgCtrlID(defaultButton_), DC_HASDEFID);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(Handle, message, wParam, lParam);
}

void Form::PaintBackground(HDC dc) {
    const int saved = SaveDC(dc);
    if (HBITMAP picture = imgBackground) {
        BITMAP size = {};
        GetObjectA(picture, sizeof size, &size);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ExcludeClipRect(dc, 0, 0, size.bmWidth, size.bmHeight);
    }
    RECT client;
    GetClientRect(Handle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
}

LRESULT Form::ControlColours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const Control* control = FindControl(child)) {
        switch (control->Kind) {
        case ControlKind::Label:
        case ControlKind::Title: {
            // Transparent: the label paints the part of the picture it covers,
            // so it also repaints correctly when its text changes.
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, control->Kind == ControlKind::Title ? Navy
                                                                 : GetSysColor(COLOR_WINDOWTEXT));
            HBRUSH picture = BackgroundBrush();
            if (!picture)
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            POINT origin = {0, 0};
            MapWindowPoints(child, Handle, &origin, 1);
            SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
            return reinterpret_cast<LRESULT>(picture);
        }
        case ControlKind::RadioButton:
        case ControlKind::CheckBox:
        case ControlKind::GroupBox:
            SetBkColor(dc, White);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        default:
            break;
        }
    }
    return DefWindowProcA(Handle, message, wParam, lParam);
}

HWND Form::AddControl(const ControlDefinition& definition) {
    const char* className = "STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    HFONT font = PageFont();
    switch (definition.Kind) {
    case ControlKind::Label:
        style |= SS_NOPREFIX | ((definition.Flags & Flag::OneLine) ? SS_LEFTNOWORDWRAP : SS_LEFT);
        if (definition.Flags & Flag::Bold)
            font = BoldPageFont();
        break;
    case ControlKind::Title:
        style |= SS_NOPREFIX | SS_LEFTNOWORDWRAP;
        font = TitleFont();
        break;
    case ControlKind::Button:
        className = "BUTTON";
        style |= (definition.Flags & Flag::Default) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case ControlKind::RadioButton:
        className = "BUTTON";
        style |= BS_AUTORADIOBUTTON;
        break;
    case ControlKind::CheckBox:
        className = "BUTTON";
        style |= BS_AUTOCHECKBOX;
        break;
    case ControlKind::GroupBox:
        className = "BUTTON";
        style |= BS_GROUPBOX;
        break;
    case ControlKind::Edit:
        className = "EDIT";
        style |= ES_LEFT | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ListView:
        className = WC_LISTVIEWA;
        style |= LVS_REPORT | LVS_SINGLESEL;
        if (definition.Flags & Flag::NoHeader)
            style |= LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;
        if (!(definition.Flags & Flag::Borderless))
            exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::RichText:
        className = RichTextClass();
        style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    }
    if (definition.Flags & Flag::Disabled)
        style |= WS_DISABLED;
    if (definition.TabPosition >= 0)
        style |= WS_TABSTOP;
    // Consecutive radio buttons form one group; every other control starts
    // a group of its own.
    const bool radio = definition.Kind == ControlKind::RadioButton;
    if (!(radio && lastWasRadio_))
        style |= WS_GROUP;
    lastWasRadio_ = radio;

    const int id = nextControlId_++;
    HWND control = CreateWindowExA(
        exStyle, className, definition.Caption ? definition.Caption : "", style, definition.Left,
        definition.Top, definition.Width, definition.Height, Handle,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!control)
        throw std::runtime_error("The installer could not create a control of its window.");
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    if (definition.Kind == ControlKind::ListView) {
        DWORD extended = 0;
        if (definition.Flags & Flag::CheckBoxes)
            extended |= LVS_EX_CHECKBOXES;
        if (definition.Flags & Flag::RowSelect)
            extended |= LVS_EX_FULLROWSELECT;
        SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        SendMessageA(control, LVM_SETBKCOLOR, 0, White);
        SendMessageA(control, LVM_SETTEXTBKCOLOR, 0, White);
    }
    if (definition.Kind == ControlKind::RichText) {
        SendMessageA(control, EM_SETBKGNDCOLOR, 0, White);
        // Lines wrap at the box's width, although it has a horizontal bar.
        SendMessageA(control, EM_SETTARGETDEVICE, 0, 0);
        Subclass(control, RichTextKeepsTab, richTextProcedure);
    }
    if (definition.Kind == ControlKind::GroupBox)
        Subclass(control, GroupBoxPaintsWhite, groupBoxProcedure);
    if (definition.Flags & Flag::Checked)
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    if (definition.Flags & Flag::AutoSize)
        FitToText(control, font);
    if (definition.Flags & Flag::Default)
        defaultButton_ = control;
    if (definition.Flags & Flag::Cancel)
        cancelButton_ = control;

    controls_.push_back({control, definition.Kind, definition.Flags, {}});
    if (radio)
        UpdateRadioTabStops();
    return control;
}

void Form::BindClick(HWND control, std::function<void()> handler) {
    for (Control& known : controls_)
        if (known.Handle == control)
            known.Click = std::move(handler);
}

const Form::Control* Form::FindControl(HWND handle) const {
    for (const Control& control : controls_)
        if (control.Handle == handle)
            return &control;
    return nullptr;
}

bool Form::OwnsWindow(HWND window) const {
    return window == Handle || IsChild(Handle, window);
}

bool Form::PressButton(HWND button) {
    const Control* control = FindControl(button);
    if (!control || !IsWindowEnabled(button))
        return false;
    if (control->Kind == ControlKind::RadioButton)
        UpdateRadioTabStops();
    if (!control->Click)
        return false;
    std::function<void()> click = control->Click;
    click();
    return true;
}

// Only the selected button of a radio group is a tab stop (the first one when
// none is selected), so Tab enters the group at its selection.
void Form::UpdateRadioTabStops() {
    for (size_t first = 0; first < controls_.size();) {
        size_t end = first;
        while (end < controls_.size() && controls_[end].Kind == ControlKind::RadioButton &&
               (end == first || !(GetWindowLongA(controls_[end].Handle, GWL_STYLE) & WS_GROUP)))
            ++end;
        if (end == first) {
            ++first;
            continue;
        }
        size_t stop = first;
        for (size_t i = first; i < end; ++i)
            if (SendMessageA(controls_[i].Handle, BM_GETCHECK, 0, 0) == BST_CHECKED)
                stop = i;
        for (size_t i = first; i < end; ++i) {
            HWND radio = controls_[i].Handle;
            const LONG style = GetWindowLongA(radio, GWL_STYLE);
            const LONG wanted = i == stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
            if (wanted != style)
                SetWindowLongA(radio, GWL_STYLE, wanted);
        }
        first = end;
    }
}

HWND Form::InitialFocus() {
    for (const Control& control : controls_) {
        const LONG style = GetWindowLongA(control.Handle, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
            return control.Handle;
    }
    return nullptr;
}

// The focused push button looks like the default button, as Enter presses it;
// elsewhere the page's default button does.
void Form::UpdateDefaultButtonLook() {
    lookedFocus_ = GetFocus();
    const Control* focused = FindControl(lookedFocus_);
    HWND looksDefault =
        focused && focused->Kind == ControlKind::Button ? lookedFocus_ : defaultButton_;
    for (const Control& control : controls_) {
        if (control.Kind != ControlKind::Button)
            continue;
        const LONG wanted = control.Handle == looksDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((GetWindowLongA(control.Handle, GWL_STYLE) & BS_TYPEMASK) != wanted)
            SendMessageA(control.Handle, BM_SETSTYLE, wanted, TRUE);
    }
}

// Esc presses the cancel button; Enter the focused button, or the default
// button when the focus is on anything else. A disabled button does nothing.
bool Form::HandleDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !OwnsWindow(message.hwnd))
        return false;
    if (message.wParam == VK_ESCAPE) {
        if (cancelButton_)
            PressButton(cancelButton_);
        return true;
    }
    if (message.wParam == VK_RETURN) {
        const Control* focused = FindControl(message.hwnd);
        HWND target =
            focused && focused->Kind == ControlKind::Button ? message.hwnd : defaultButton_;
        if (target)
            PressButton(target);
        return true;
    }
    return false;
}

void Form::PlaceAtFirstShow() {
    if (CentreAtFirstShow && !shownBefore_) {
        RECT frame;
        GetWindowRect(Handle, &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN) +
                         (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2;
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN) +
                        (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2;
        SetPosition(left, top);
    }
    shownBefore_ = true;
}

bool Form::CloseSequenceLetsGo() {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        PageResult = PageResults::None;
        return false;
    }
    FormClose();
    return true;
}

int Form::ShowModal() {
    PageResult = PageResults::None;
    FormShow();
    PlaceAtFirstShow();
    UpdateRadioTabStops();
    savedFocus_ = InitialFocus();

    // Whatever way the loop ends, the other windows come back before the page
    // goes, so that activation stays with this program.
    struct ModalState {
        Form& page;
        std::vector<HWND> disabled;
        ~ModalState() {
            page.modal_ = false;
            for (HWND window : disabled)
                EnableWindow(window, TRUE);
            ShowWindow(page.Handle, SW_HIDE);
        }
    } state{*this, DisableOtherWindows(Handle)};
    modal_ = true;

    ShowWindow(Handle, SW_SHOW);
    if (savedFocus_)
        SetFocus(savedFocus_);
    UpdateDefaultButtonLook();

    for (;;) {
        if (PageResult != PageResults::None && CloseSequenceLetsGo())
            break;
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is ending: leave as cancelled, without a question.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            PageResult = PageResults::Cancel;
            FormClose();
            break;
        }
        if (!HandleDialogKey(message) && !IsDialogMessageA(Handle, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RethrowPendingException();
        if (GetFocus() != lookedFocus_)
            UpdateDefaultButtonLook();
    }
    return PageResult;
}

void Form::Show() {
    PageResult = PageResults::None;
    FormShow();
    PlaceAtFirstShow();
    UpdateRadioTabStops();
    savedFocus_ = InitialFocus();
    ShowWindow(Handle, SW_SHOW);
    if (savedFocus_)
        SetFocus(savedFocus_);
    UpdateDefaultButtonLook();
    // Painted now: the caller may keep the thread busy without messages.
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RethrowPendingException();
}

void Form::Hide() {
    ShowWindow(Handle, SW_HIDE);
}

int Form::Left() const {
    RECT frame;
    GetWindowRect(Handle, &frame);
    return frame.left;
}

int Form::Top() const {
    RECT frame;
    GetWindowRect(Handle, &frame);
    return frame.top;
}

void Form::SetPosition(int left, int top) {
    SetWindowPos(Handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
