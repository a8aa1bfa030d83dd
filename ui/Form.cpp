// The page window: a modeless dialog, its controls, painting and the modal show. Keys, the
// default button's look and the focus kept across activations are the dialog manager's.
#include "Form.h"

#include "Artwork.h"
#include "DisplayScale.h"
#include "HighContrast.h"
#include "MessageTexts.h"
#include "PageControls.h"

#include <algorithm>
#include <cstddef>
#include <exception>

namespace {

constexpr const char* PageClassName = "NorvaneWizardPage";
constexpr const wchar_t PageClassNameW[] = L"NorvaneWizardPage";
// Messages of Windows 8.1 and 10 on, which older headers may lack.
constexpr UINT DpiChangedMessage = 0x02E0;        // WM_DPICHANGED
constexpr UINT DpiScaledSizeMessage = 0x02E4;     // WM_GETDPISCALEDSIZE
constexpr int DialogDpiChangeDisableAll = 0x0001; // DDC_DISABLE_ALL

// The page lays itself out for a new DPI; the dialog manager of Windows 10 1703 on would
// otherwise rescale the window and controls as well.
void KeepDialogFromScaling(HWND dialog) {
    using Function = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour = reinterpret_cast<Function>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior")));
    if (setBehaviour)
        setBehaviour(dialog, DialogDpiChangeDisableAll, DialogDpiChangeDisableAll);
}

// A dialog class of the installer's own, so that a page is told apart from a
// message box (#32770); its windows get their icons at their DPI.
bool RegisterPageClass() {
    static const bool registered = [] {
        WNDCLASSEXA page = {};
        page.cbSize = sizeof page;
        page.lpfnWndProc = DefDlgProcA;
        page.cbWndExtra = DLGWINDOWEXTRA;
        page.hInstance = GetModuleHandleA(nullptr);
        // No class icons: each window gets its own at its DPI, released with the artwork.
        page.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        page.lpszClassName = PageClassName;
        return RegisterClassExA(&page) != 0;
    }();
    return registered;
}

// An empty dialog template of the page class; the window is sized and placed once made.
struct alignas(4) PageTemplate {
    DLGTEMPLATE Header;
    WORD Menu = 0;
    wchar_t ClassName[sizeof PageClassNameW / sizeof(wchar_t)];
    WORD Title = 0;
};
static_assert(offsetof(PageTemplate, Menu) == 18, "the menu follows the packed header");

bool IsButtonKind(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::RadioButton ||
           kind == ControlKind::CheckBox;
}

} // namespace

bool ConfirmQuit(HWND owner) {
    return MessageBoxA(owner, MessageTexts::QuitQuestion, MessageTexts::Confirm,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

Form::Form(int left, int top, bool closeBox)
    : left_(left), top_(top),
      style_(WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | (closeBox ? WS_SYSMENU : 0)),
      closeBox_(closeBox) {
    backgroundPicture = BackgroundPicture();
}

Form::~Form() {
    if (Handle) {
        SetWindowLongPtrA(Handle, DWLP_USER, 0);
        DestroyWindow(Handle);
    }
}

bool Form::MakeWindow() {
    if (Handle)
        return true;
    PageTemplate empty = {{style_, exStyle_, 0, 0, 0, 0, 0}, 0, {}, 0};
    std::copy(std::begin(PageClassNameW), std::end(PageClassNameW), empty.ClassName);
    if (!RegisterPageClass() ||
        !CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.Header, nullptr, DialogProc,
                                    reinterpret_cast<LPARAM>(this)))
        return false;
    KeepDialogFromScaling(Handle);
    // Placed first, so that the scale is that of the monitor the page opens on.
    SetWindowPos(Handle, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dpi_ = WindowDpi(Handle);
    backgroundPicture = BackgroundPicture(dpi_);
    const SIZE frame = FrameSize(dpi_);
    SetWindowPos(Handle, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(Handle, InstallerCaption);
    SetIcons();
    highContrast_ = HighContrast();
    CreateControls();
    if (!complete_) {
        DestroyWindow(Handle);
        Handle = nullptr;
        controls_.clear();
    }
    return Handle != nullptr;
}

// The window's size for a client area of 600 x 400 at 96 DPI, scaled.
SIZE Form::FrameSize(int dpi) const {
    RECT frame = {0, 0, Scaled(PageClientWidth, dpi), Scaled(PageClientHeight, dpi)};
    AdjustFrameForDpi(frame, style_, exStyle_, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form::SetIcons() {
    SendMessageA(Handle, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(InstallerIcon(MetricForDpi(SM_CXICON, dpi_))));
    SendMessageA(Handle, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(InstallerIcon(MetricForDpi(SM_CXSMICON, dpi_))));
}

// Lays out again for a new DPI: picture, control places and fonts, list columns, images, icons.
void Form::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    const int old = dpi_;
    dpi_ = dpi;
    backgroundPicture = BackgroundPicture(dpi);
    for (const Control& control : controls_) {
        RescaleControl(control.Handle, control.Definition, dpi);
        if (control.Definition.Kind != ControlKind::ListView)
            continue;
        HWND header = reinterpret_cast<HWND>(SendMessageA(control.Handle, LVM_GETHEADER, 0, 0));
        const int columns =
            header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
        for (int i = 0; i < columns; ++i) {
            const int width =
                static_cast<int>(SendMessageA(control.Handle, LVM_GETCOLUMNWIDTH, i, 0));
            SendMessageA(control.Handle, LVM_SETCOLUMNWIDTH, i, MulDiv(width, dpi, old));
        }
        if (control.ImageStrip)
            SetImageStrip(control.Handle, control.ImageStrip);
    }
    SetIcons();
    InvalidateRect(Handle, nullptr, TRUE);
}

void Form::SetImageStrip(HWND list, int bitmapId) {
    for (Control& known : controls_)
        if (known.Handle == list)
            known.ImageStrip = bitmapId;
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(LoadImageStrip(bitmapId, dpi_))));
    if (previous)
        ImageList_Destroy(previous);
}

INT_PTR CALLBACK Form::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* form = reinterpret_cast<Form*>(lParam);
        form->Handle = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return FALSE; // the focus is set at every show
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!form)
        return FALSE;
    // An exception cannot cross the system's frames: it is reported in a box, as handlers
    // report their own failures, and the page stays open.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        MessageBoxA(window, error.what(), MessageTexts::Error, MB_ICONERROR | MB_OK);
    } catch (...) {
        MessageBoxA(window, "", MessageTexts::Error, MB_ICONERROR | MB_OK);
    }
    return TRUE;
}

INT_PTR Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        // The picture, also into a control's own context (the group box's); in high contrast
        // the window colour alone.
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT client;
        GetClientRect(Handle, &client);
        FillRect(dc, &client, GetSysColorBrush(HighContrast() ? COLOR_WINDOW : COLOR_BTNFACE));
        if (HDC memory = backgroundPicture && !HighContrast() ? CreateCompatibleDC(dc) : nullptr) {
            HGDIOBJ old = SelectObject(memory, backgroundPicture);
            BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
        SetWindowLongPtrA(Handle, DWLP_MSGRESULT, 1);
        return TRUE;
    }
    case DpiScaledSizeMessage: {
        // The window's size at the new DPI, so that the suggested rectangle of
        // WM_DPICHANGED holds the client area exactly.
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(static_cast<int>(wParam));
        SetWindowLongPtrA(Handle, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_GETMINMAXINFO: {
        // The page keeps its whole layout also when larger than the screen (a small screen at a
        // large scale) instead of being cut to it.
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE frame = FrameSize(dpi_);
        limits.ptMaxTrackSize.x = std::max<LONG>(limits.ptMaxTrackSize.x, frame.cx);
        limits.ptMaxTrackSize.y = std::max<LONG>(limits.ptMaxTrackSize.y, frame.cy);
        return TRUE;
    }
    case DpiChangedMessage: {
        // Moved to a monitor of another DPI: lay out again, at the place the system suggests.
        ApplyDpi(HIWORD(wParam));
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        // Every page re-reads the setting and follows a change it has not followed yet; new
        // scheme colours come with WM_SYSCOLORCHANGE.
        RefreshHighContrast();
        if (HighContrast() != highContrast_ || message == WM_SYSCOLORCHANGE)
            ApplyColourScheme();
        return FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: {
        // Clicks, access keys, and Enter and Esc from the dialog manager,
        // which name the default button's ID and IDCANCEL.
        HWND control = lParam ? reinterpret_cast<HWND>(lParam) : GetDlgItem(Handle, LOWORD(wParam));
        const Control* known = FindControl(control);
        if (known && IsButtonKind(known->Definition.Kind) && HIWORD(wParam) == BN_CLICKED)
            PressButton(control);
        return TRUE;
    }
    case WM_NOTIFY:
        SetWindowLongPtrA(Handle, DWLP_MSGRESULT,
                          OnNotify(*reinterpret_cast<const NMHDR*>(lParam)));
        return TRUE;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        // While the page comes on screen, the activation gives the focus to
        // the page's first control, not to the page or its first tab stop.
        if (!focusAtShow_ || (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE))
            return FALSE;
        SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusAtShow_), TRUE);
        return TRUE;
    case WM_CLOSE:
        // The close box and the system menu: result 2, then the close sequence.
        if (closeBox_ && PageResult == PageResults::None)
            PageResult = PageResults::Cancel;
        return TRUE;
    default:
        return FALSE;
    }
}

// The brush a control paints its background with; FALSE leaves the colours
// to the dialog manager.
INT_PTR Form::ControlColours(HDC dc, HWND child) {
    const Control* control = FindControl(child);
    if (!control)
        return FALSE;
    switch (control->Definition.Kind) {
    case ControlKind::Label:
    case ControlKind::Title: {
        // Transparent: the label paints the part of the picture it covers,
        // so it also repaints correctly when its text changes.
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, control->Definition.Kind == ControlKind::Title
                             ? TitleColour()
                             : GetSysColor(COLOR_WINDOWTEXT));
        if (HighContrast())
            return reinterpret_cast<INT_PTR>(PanelBrush());
        HBRUSH picture = BackgroundBrush(dpi_);
        if (!picture)
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        POINT origin = {0, 0};
        MapWindowPoints(child, Handle, &origin, 1);
        SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        return reinterpret_cast<INT_PTR>(picture);
    }
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
        SetBkColor(dc, PanelColour());
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<INT_PTR>(PanelBrush());
    default:
        return FALSE;
    }
}

// The lists and the agreement box take the new scheme's colours (common controls hear of new
// system colours only from their parent), then everything is painted again.
void Form::ApplyColourScheme() {
    highContrast_ = HighContrast();
    for (const Control& control : controls_) {
        SetClassicLook(control.Handle, HighContrast());
        if (control.Definition.Kind == ControlKind::ListView) {
            SendMessageA(control.Handle, WM_SYSCOLORCHANGE, 0, 0);
            ApplyListColours(control.Handle);
        } else if (control.Definition.Kind == ControlKind::RichText) {
            ApplyRichTextColours(control.Handle);
        }
    }
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND Form::AddControl(const ControlDefinition& definition) {
    if (!MakeWindow())
        return nullptr;
    // Consecutive radio buttons form one group; any other control starts its own.
    const bool radio = definition.Kind == ControlKind::RadioButton;
    const bool startsGroup = !(radio && lastWasRadio_);
    lastWasRadio_ = radio;
    const int id = (definition.Flags & Flag::Cancel) ? IDCANCEL : nextControlId_++;
    HWND control = CreatePageControl(Handle, definition, id, startsGroup, dpi_);
    if (!control) {
        complete_ = false;
        return nullptr;
    }
    if (definition.Flags & Flag::Default)
        SendMessageA(Handle, DM_SETDEFID, id, 0);
    controls_.push_back({control, definition, {}, 0});
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

const ControlDefinition* Form::LayoutOf(HWND control) const {
    const Control* known = FindControl(control);
    return known ? &known->Definition : nullptr;
}

bool Form::PressButton(HWND button) {
    const Control* control = FindControl(button);
    if (!control || !IsWindowEnabled(button))
        return false;
    if (control->Definition.Kind == ControlKind::RadioButton)
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
        while (end < controls_.size() &&
               controls_[end].Definition.Kind == ControlKind::RadioButton &&
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

// Before the page comes on screen: window, result, OnShow, first-show place, radio tab stops.
bool Form::Prepare() {
    if (!MakeWindow()) {
        MessageBoxA(nullptr, "The installer could not create its window.", MessageTexts::Error,
                    MB_ICONERROR | MB_OK);
        return false;
    }
    PageResult = PageResults::None;
    OnShow();
    if (CentreAtFirstShow && !shownBefore_) {
        // On one monitor: centred on all of them, a page would straddle two display scales.
        RECT frame;
        GetWindowRect(Handle, &frame);
        const RECT area = WorkAreaAt({left_, top_});
        SetPosition(area.left + (area.right - area.left - (frame.right - frame.left)) / 2,
                    area.top + (area.bottom - area.top - (frame.bottom - frame.top)) / 2);
    }
    shownBefore_ = true;
    UpdateRadioTabStops();
    return true;
}

// Shows the window and gives the focus to the page's first control, through
// the dialog manager so that the default button looks right.
void Form::Reveal() {
    focusAtShow_ = InitialFocus();
    ShowWindow(Handle, SW_SHOW);
    if (focusAtShow_ && GetFocus() != focusAtShow_) // the page did not become active
        SendMessageA(Handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusAtShow_), TRUE);
    focusAtShow_ = nullptr;
}

bool Form::CloseSequenceLetsGo() {
    bool canClose = true;
    OnCloseQuery(canClose);
    if (!canClose) {
        PageResult = PageResults::None;
        return false;
    }
    OnClose();
    return true;
}

int Form::ShowModal() {
    if (!Prepare())
        return PageResults::Cancel;
    // The window that was active stays disabled while the page is up, and is
    // enabled again before the page goes, so that it takes the activation.
    HWND owner = GetActiveWindow();
    const bool disableOwner = owner && owner != Handle && IsWindowEnabled(owner);
    if (disableOwner)
        EnableWindow(owner, FALSE);
    Reveal();
    while (PageResult == PageResults::None || !CloseSequenceLetsGo()) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is ending: leave as cancelled, without a question.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            PageResult = PageResults::Cancel;
            OnClose();
            break;
        }
        if (!IsDialogMessageA(Handle, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (disableOwner)
        EnableWindow(owner, TRUE);
    ShowWindow(Handle, SW_HIDE);
    return PageResult;
}

void Form::Show() {
    if (!Prepare())
        return;
    Reveal();
    // Painted now: the caller may keep the thread busy without messages.
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form::Hide() {
    if (Handle)
        ShowWindow(Handle, SW_HIDE);
}

int Form::Left() const {
    RECT frame;
    return Handle && GetWindowRect(Handle, &frame) ? frame.left : left_;
}

int Form::Top() const {
    RECT frame;
    return Handle && GetWindowRect(Handle, &frame) ? frame.top : top_;
}

void Form::SetPosition(int left, int top) {
    left_ = left;
    top_ = top;
    if (Handle)
        SetWindowPos(Handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
