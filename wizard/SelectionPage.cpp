// The component selection page.
#include "SelectionPage.h"

#include "AccessibleNames.h"
#include "Artwork.h"
#include "Layout.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "resource.h"

#include "Session.h"

SelectionPage* selectionPage = nullptr;

namespace {

using Page = SelectionPage;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control              left  top  width height caption
    //          flags                                  tab        click
    {Title,    &Page::titleText,     128, 104, 401,  16, "Select Norvane components to install",
               Flag::None,                             NoTabStop, nullptr},
    {Label,    &Page::introText,     128, 144, 441,  41, "Select which components you want to "
               "install or reinstall on your system. Note that unchecking an item will not "
               "uninstall it if it's already on your system. Use  Add/Remove programs' in the "
               "control panel for that.",
               Flag::None,                             NoTabStop, nullptr},
    {ListView, &Page::componentList, 128, 192, 441, 153, nullptr,
               Flag::CheckBoxes | Flag::RowSelect,     0,         nullptr},
    {Button,   &Page::backButton,    320, 368,  89,  25, "< &Back",
               Flag::None,                             1,         &Page::OnBack},
    {Button,   &Page::nextButton,    408, 368,  89,  25, "&Next >",
               Flag::Default,                          2,         &Page::OnNext},
    {Button,   &Page::cancelButton,  504, 368,  89,  25, "&Cancel",
               Flag::Cancel,                           3,         &Page::OnCancel},
};
// clang-format on

// The component tiles of imlComponent: indexes 0 to 10.
constexpr int ComponentImageCount = 11;

int RowImage(int32_t imageIndex) {
    return imageIndex >= 0 && imageIndex < ComponentImageCount ? imageIndex : I_IMAGENONE;
}

bool RowChecked(HWND list, int row) {
    return ListView_GetCheckState(list, row) != 0;
}

void SetRowChecked(HWND list, int row, bool checked) {
    ListView_SetCheckState(list, row, checked ? TRUE : FALSE);
}

void AttachEntry(HWND list, int row, ComponentEntry& entry) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = reinterpret_cast<LPARAM>(&entry);
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

ComponentEntry* RowEntry(HWND list, int row) {
    return reinterpret_cast<ComponentEntry*>(ListData(list, row));
}

// A text of the user's regional settings, of any length; the fallback when
// the setting cannot be read.
std::string LocaleText(LCTYPE type, const char* fallback) {
    const int size = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0)
        return fallback;
    std::string text(static_cast<size_t>(size), '\0');
    const int copied = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text.data(), size);
    if (copied <= 0)
        return fallback;
    text.resize(static_cast<size_t>(copied - 1));
    return text;
}

} // namespace

std::string ComponentSizeText(int64_t kilobytes) {
    const std::string digits = std::to_string(kilobytes);
    std::string thousands = LocaleText(LOCALE_STHOUSAND, ",");
    std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
    // "#,##0": no decimals, groups of three digits, a leading minus sign.
    NUMBERFMTA format = {};
    format.NumDigits = 0;
    format.LeadingZero = 1;
    format.Grouping = 3;
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousands.data();
    format.NegativeOrder = 1;
    // Room for every digit followed by a separator, and a sign: enough for any
    // 64-bit size. (Asking for the length first is not reliable everywhere.)
    std::string number(digits.size() * (1 + thousands.size()) + 16, '\0');
    const int written = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format,
                                         number.data(), static_cast<int>(number.size()));
    number.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
    if (number.empty())
        number = digits;
    return "~" + number + " KB";
}

void SelectionPage::CreateControls() {
    BuildLayout(*this, Layout);
    AddListColumn(componentList, " Components", 250);
    AddListColumn(componentList, "Version", 75);
    AddListColumn(componentList, "Space", 95, LVCFMT_RIGHT);
    SetImageStrip(componentList, IDB_COMPONENTS);
    // The instruction above the list is a paragraph, too long for a name.
    SetAccessibleName(componentList, "Components");
}

void SelectionPage::OnShow() {
    FillComponentList();
}

// Each row gets its entry last: notifications while it is built find no entry, and the one that
// attaching raises is silenced, so a required entry stored unselected shows no notice here.
void SelectionPage::FillComponentList() {
    filling_ = true;
    SendMessageA(componentList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(componentList, LVM_DELETEALLITEMS, 0, 0);
    const int32_t count = InstallSession.Components ? InstallSession.ComponentCount : 0;
    SendMessageA(componentList, LVM_SETITEMCOUNT, count > 0 ? count : 0, 0);
    for (int32_t i = 0; i < count; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        std::string caption = entry.Description;
        if (entry.Required)
            caption += " (Required)";
        const int row = AppendListRow(componentList, caption, RowImage(entry.ImageIndex), 0);
        if (row < 0)
            continue;
        SetListText(componentList, row, 1, entry.Version);
        SetListText(componentList, row, 2, ComponentSizeText(entry.Size));
        SetRowChecked(componentList, row, entry.Selected);
        AttachEntry(componentList, row, entry);
    }
    // The first row has the focus, not only the selection, so that Space
    // toggles it as soon as the list has the keyboard.
    const UINT first = LVIS_FOCUSED | LVIS_SELECTED;
    ListView_SetItemState(componentList, 0, first, first);
    SendMessageA(componentList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(componentList, nullptr, TRUE);
    filling_ = false;
}

LRESULT SelectionPage::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == componentList && header.code == LVN_ITEMCHANGED && !filling_)
        OnComponentChange(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
    return 0;
}

// The row stays unchecked while the notice is open. Checking it again raises
// one more notification, which finds the row checked and stops.
void SelectionPage::OnComponentChange(int item) {
    const ComponentEntry* entry = RowEntry(componentList, item);
    if (!entry || !entry->Required || RowChecked(componentList, item))
        return;
    // The list repaints a changed row only after this notification: painted
    // now, the row shows its empty box behind the notice.
    SendMessageA(componentList, LVM_REDRAWITEMS, item, item);
    UpdateWindow(componentList);
    MessageBoxA(Handle, RequiredComponentText, MessageTexts::Information,
                MB_ICONINFORMATION | MB_OK);
    SetRowChecked(componentList, item, true);
}

bool SelectionPage::AnyComponentChecked() {
    const int rows = ListRowCount(componentList);
    for (int row = 0; row < rows; ++row)
        if (RowChecked(componentList, row))
            return true;
    return false;
}

void SelectionPage::StoreComponentSelection() {
    const int rows = ListRowCount(componentList);
    for (int row = 0; row < rows; ++row)
        if (ComponentEntry* entry = RowEntry(componentList, row))
            entry->Selected = RowChecked(componentList, row);
}

void SelectionPage::OnNext() {
    if (AnyComponentChecked())
        PageResult = PageResults::Next;
    else
        MessageBoxA(Handle, NothingSelectedText, MessageTexts::Information,
                    MB_ICONINFORMATION | MB_OK);
}

void SelectionPage::OnBack() {
    PageResult = PageResults::Back;
}

void SelectionPage::OnCancel() {
    PageResult = PageResults::Cancel;
}

// Next, Back and a confirmed quit store the marks; a refused quit stores nothing.
void SelectionPage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
    if (canClose)
        StoreComponentSelection();
}
