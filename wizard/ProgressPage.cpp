// The progress page.
#include "ProgressPage.h"

#include "AccessibleNames.h"
#include "Artwork.h"
#include "Layout.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "WaitingMessages.h"
#include "resource.h"

#include <stdexcept>

ProgressPage* progressPage = nullptr;

namespace {

using Page = ProgressPage;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control              left  top  width height caption
    //          flags                                     tab        click
    {Title,    &Page::titleText,     128, 104, 441,  16, "Installing Norvane Components",
               Flag::None,                                NoTabStop, nullptr},
    {Label,    &Page::introText,     128, 144, 441,  33, "Please wait while the install program "
               "installs the Norvane components. This may take several minutes.",
               Flag::None,                                NoTabStop, nullptr},
    {Button,   &Page::backButton,    320, 368,  89,  25, "< &Back",
               Flag::Disabled,                            0,         nullptr},
    {Button,   &Page::nextButton,    408, 368,  89,  25, "&Next >",
               Flag::Default | Flag::Disabled,            1,         nullptr},
    {Button,   &Page::cancelButton,  504, 368,  89,  25, "&Cancel",
               Flag::Cancel | Flag::Disabled,             2,         &Page::OnCancel},
    {ListView, &Page::progressList,  128, 184, 441, 113, nullptr,
               Flag::NoHeader | Flag::Borderless,         3,         nullptr},
    {Label,    &Page::actionText,    128, 304, 441,  17, "",
               Flag::OneLine,                             NoTabStop, nullptr},
    {ProgressBar, &Page::packageBar, 128, 328, 441, 17, nullptr,
               Flag::None,                                NoTabStop, nullptr},
};
// clang-format on

} // namespace

void ProgressPage::CreateControls() {
    BuildLayout(*this, Layout);
    AddListColumn(progressList, "", 300);
    AddListColumn(progressList, "", 100);
    SetImageStrip(progressList, IDB_STATUS);
    SendMessageA(packageBar, PBM_SETRANGE32, 0, 1000);
    SetAccessibleName(progressList, "Installation progress");
    // Named here: the label before it is the action line, which changes and may be empty.
    SetAccessibleName(packageBar, "Package progress");
}

void ProgressPage::OnShow() {
    if (Texts) {
        SetWindowTextA(titleText, Texts->Title);
        SetWindowTextA(introText, Texts->Text);
    }
    cancelConfirmed_ = false;
    EnableWindow(cancelButton, FALSE);
    SendMessageA(packageBar, PBM_SETPOS, 0, 0);
    SetWindowTextA(actionText, "");
    SendMessageA(progressList, LVM_DELETEALLITEMS, 0, 0);
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        if (entry.Selected)
            AppendListRow(progressList, entry.Description, -1, reinterpret_cast<LPARAM>(&entry));
    }
}

int ProgressPage::RowCount() {
    return ListRowCount(progressList);
}

ComponentEntry& ProgressPage::RowEntry(int row) {
    auto* entry = reinterpret_cast<ComponentEntry*>(
        row >= 0 && row < RowCount() ? ListData(progressList, row) : 0);
    if (!entry)
        throw std::out_of_range("The progress page has no row " + std::to_string(row) + ".");
    return *entry;
}

void ProgressPage::SetRowImage(int row, int imageIndex) {
    SetListImage(progressList, row, imageIndex);
    UpdateWindow(progressList);
}

void ProgressPage::SetRowStatus(int row, const std::string& status) {
    SetListText(progressList, row, 1, status);
    UpdateWindow(progressList);
}

void ProgressPage::MakeRowVisible(int row) {
    SendMessageA(progressList, LVM_ENSUREVISIBLE, row, FALSE);
    UpdateWindow(progressList);
}

void ProgressPage::SetPackageProgress(int perMille) {
    SendMessageA(packageBar, PBM_SETPOS, perMille, 0);
}

void ProgressPage::SetCurrentAction(const std::string& description) {
    if (WindowText(actionText) != description)
        SetWindowTextA(actionText, description.c_str());
}

void ProgressPage::AllowCancel(bool allowed) {
    EnableWindow(cancelButton, allowed && CancelOffered && !cancelConfirmed_);
}

void ProgressPage::OnCancel() {
    if (MessageBoxA(Handle, MessageTexts::CancelQuestion, MessageTexts::Confirm,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES)
        return;
    cancelConfirmed_ = true;
    EnableWindow(cancelButton, FALSE);
}

bool ProgressPage::ServeWaitingMessages() {
    if (Handle)
        ServeWaitingMessagesOf(Handle, cancelButton);
    return cancelConfirmed_;
}
