// The progress page.
#include "Progress.h"

#include "AccessibleNames.h"
#include "Artwork.h"
#include "Layout.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "WaitingMessages.h"
#include "resource.h"

#include <stdexcept>

TfrmProgress* frmProgress = nullptr;

namespace {

using Page = TfrmProgress;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control            left  top  width height caption
    //          flags                                     tab        click
    {Title,    &Page::lblTitle,     128, 104, 441,  16, "Installing Norvane Components",
               Flag::None,                                NoTabStop, nullptr},
    {Label,    &Page::lblText,      128, 144, 441,  33, "Please wait while the install program "
               "installs the Norvane components. This may take several minutes.",
               Flag::None,                                NoTabStop, nullptr},
    {Button,   &Page::cmdBack,      320, 368,  89,  25, "< &Back",
               Flag::Disabled,                            0,         nullptr},
    {Button,   &Page::cmdNext,      408, 368,  89,  25, "&Next >",
               Flag::Default | Flag::Disabled,            1,         nullptr},
    {Button,   &Page::cmdCancel,    504, 368,  89,  25, "&Cancel",
               Flag::Cancel | Flag::Disabled,             2,         &Page::cmdCancelClick},
    {ListView, &Page::lsvProgress,  128, 184, 441, 113, nullptr,
               Flag::NoHeader | Flag::Borderless,         3,         nullptr},
    {Label,    &Page::lblAction,    128, 304, 441,  17, "",
               Flag::OneLine,                             NoTabStop, nullptr},
    {ProgressBar, &Page::pbrPackage, 128, 328, 441, 17, nullptr,
               Flag::None,                                NoTabStop, nullptr},
};
// clang-format on

} // namespace

void TfrmProgress::CreateControls() {
    BuildLayout(*this, Layout);
    AddListColumn(lsvProgress, "", 300);
    AddListColumn(lsvProgress, "", 100);
    // imgProgress: the list view owns it and destroys it with itself.
    SetImageStrip(lsvProgress, IDB_STATUS);
    SendMessageA(pbrPackage, PBM_SETRANGE32, 0, 1000);
    SetAccessibleName(lsvProgress, "Installation progress");
    // Before it stands the action line, whose text changes and may be empty.
    SetAccessibleName(pbrPackage, "Package progress");
}

void TfrmProgress::FormShow() {
    cancelConfirmed_ = false;
    EnableWindow(cmdCancel, FALSE);
    SendMessageA(pbrPackage, PBM_SETPOS, 0, 0);
    SetWindowTextA(lblAction, "");
    SendMessageA(lsvProgress, LVM_DELETEALLITEMS, 0, 0);
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        if (entry.Selected)
            AppendListRow(lsvProgress, entry.Description, -1, reinterpret_cast<LPARAM>(&entry));
    }
}

int TfrmProgress::RowCount() {
    return ListRowCount(lsvProgress);
}

ComponentEntry& TfrmProgress::RowEntry(int row) {
    auto* entry = reinterpret_cast<ComponentEntry*>(
        row >= 0 && row < RowCount() ? ListData(lsvProgress, row) : 0);
    if (!entry)
        throw std::out_of_range("The progress page has no row " + std::to_string(row) + ".");
    return *entry;
}

void TfrmProgress::SetRowImage(int row, int imageIndex) {
    SetListImage(lsvProgress, row, imageIndex);
    UpdateWindow(lsvProgress);
}

void TfrmProgress::SetRowStatus(int row, const std::string& status) {
    SetListText(lsvProgress, row, 1, status);
    UpdateWindow(lsvProgress);
}

void TfrmProgress::MakeRowVisible(int row) {
    SendMessageA(lsvProgress, LVM_ENSUREVISIBLE, row, FALSE);
    UpdateWindow(lsvProgress);
}

void TfrmProgress::SetPackageProgress(int perMille) {
    SendMessageA(pbrPackage, PBM_SETPOS, perMille, 0);
}

void TfrmProgress::SetCurrentAction(const std::string& description) {
    if (WindowText(lblAction) != description)
        SetWindowTextA(lblAction, description.c_str());
}

void TfrmProgress::AllowCancel(bool allowed) {
    EnableWindow(cmdCancel, allowed && CancelOffered && !cancelConfirmed_);
}

void TfrmProgress::cmdCancelClick() {
    if (MessageBoxA(Handle, MessageTexts::CancelQuestion, MessageTexts::Confirm,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES)
        return;
    cancelConfirmed_ = true;
    EnableWindow(cmdCancel, FALSE);
}

bool TfrmProgress::ServeWaitingMessages() {
    if (Handle)
        ServeWaitingMessagesOf(Handle, cmdCancel);
    return cancelConfirmed_;
}
