// The standard windows a page is built from.
#include "PageControls.h"

#include "Artwork.h"
#include "HighContrast.h"
#include "SystemLibraries.h"

#include <commctrl.h>
#include <richedit.h>

namespace {

// Class and styles of each kind before its flags, in ControlKind order.
struct KindStyle {
    const char* ClassName;
    DWORD Style;
    DWORD ExStyle;
};
const KindStyle KindStyles[] = {
    {"STATIC", SS_NOPREFIX | SS_LEFT, 0},                         // Label
    {"STATIC", SS_NOPREFIX | SS_LEFTNOWORDWRAP, 0},               // Title
    {"BUTTON", BS_PUSHBUTTON, 0},                                 // Button
    {"BUTTON", BS_AUTORADIOBUTTON, 0},                            // RadioButton
    {"BUTTON", BS_AUTOCHECKBOX, 0},                               // CheckBox
    {"BUTTON", BS_GROUPBOX, 0},                                   // GroupBox
    {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},         // Edit
    {WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE}, // ListView
    {RICHEDIT_CLASSA, ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL,
     WS_EX_CLIENTEDGE},      // RichText
    {PROGRESS_CLASSA, 0, 0}, // ProgressBar
};

// The read-only rich text box leaves Tab, Enter and Esc to the dialog manager like any other
// control, and drops DLGC_HASSETSEL, which would select the whole agreement on every focus.
WNDPROC richTextProcedure = nullptr;

LRESULT CALLBACK RichTextInDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(richTextProcedure, window, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        return result & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_HASSETSEL);
    return result;
}

// The group box draws only frame and caption, and the page clips its children and paints
// nothing under it: its inside is filled here with the panel colour, within the update region.
WNDPROC groupBoxProcedure = nullptr;

LRESULT CALLBACK GroupBoxPaintsPanel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        if (GetUpdateRgn(window, update, FALSE) != NULLREGION) {
            HDC dc = GetDC(window);
            FillRgn(dc, update, PanelBrush());
            ReleaseDC(window, dc);
        }
        DeleteObject(update);
    }
    return CallWindowProcA(groupBoxProcedure, window, message, wParam, lParam);
}

// From the system folder only, like every DLL the installer loads itself.
void LoadRichText() {
    static const bool loaded = LoadSystemLibrary("riched20.dll") != nullptr;
    (void)loaded;
}

HFONT ControlFont(const ControlDefinition& definition, int dpi) {
    return definition.Kind == ControlKind::Title ? TitleFont(dpi)
           : (definition.Flags & Flag::Bold)     ? BoldPageFont(dpi)
                                                 : PageFont(dpi);
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

} // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

HWND CreatePageControl(HWND page, const ControlDefinition& definition, int id, bool startsGroup,
                       int dpi) {
    const ControlKind kind = definition.Kind;
    const unsigned flags = definition.Flags;
    KindStyle made = KindStyles[static_cast<int>(kind)];
    if (kind == ControlKind::RichText)
        LoadRichText();
    DWORD style = made.Style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (flags & Flag::OneLine)
        style |= SS_LEFTNOWORDWRAP;
    if (kind == ControlKind::Button && (flags & Flag::Default))
        style |= BS_DEFPUSHBUTTON;
    if (flags & Flag::NoHeader)
        style |= LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;
    if (flags & Flag::Borderless)
        made.ExStyle &= ~WS_EX_CLIENTEDGE;
    if (flags & Flag::Disabled)
        style |= WS_DISABLED;
    if (definition.TabPosition >= 0)
        style |= WS_TABSTOP;
    if (startsGroup)
        style |= WS_GROUP;
    const RECT place =
        ScaledRect(definition.Left, definition.Top, definition.Width, definition.Height, dpi);
    HWND control = CreateWindowExA(
        made.ExStyle, made.ClassName, definition.Caption ? definition.Caption : "", style,
        place.left, place.top, place.right - place.left, place.bottom - place.top, page,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return nullptr;

    HFONT font = ControlFont(definition, dpi);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (kind == ControlKind::ListView) {
        const DWORD extended = ((flags & Flag::CheckBoxes) ? LVS_EX_CHECKBOXES : 0) |
                               ((flags & Flag::RowSelect) ? LVS_EX_FULLROWSELECT : 0);
        SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        ApplyListColours(control);
    }
    if (kind == ControlKind::RichText) {
        ApplyRichTextColours(control);
        // Lines wrap at the box's width, although it has a horizontal bar.
        SendMessageA(control, EM_SETTARGETDEVICE, 0, 0);
        richTextProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RichTextInDialog)));
    }
    if (kind == ControlKind::GroupBox)
        groupBoxProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxPaintsPanel)));
    if (HighContrast())
        SetClassicLook(control, true);
    if (flags & Flag::Checked)
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    if (flags & Flag::AutoSize)
        FitToText(control, font);
    return control;
}

void RescaleControl(HWND control, const ControlDefinition& definition, int dpi) {
    const RECT place =
        ScaledRect(definition.Left, definition.Top, definition.Width, definition.Height, dpi);
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT font = ControlFont(definition, dpi);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (definition.Flags & Flag::AutoSize)
        FitToText(control, font);
}
