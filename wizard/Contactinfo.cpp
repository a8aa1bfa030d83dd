// The contact information page.
#include "Contactinfo.h"

#include "Layout.h"

#include "Installmanager.h"

TfrmContactInfo* frmContactInfo = nullptr;

namespace {

using Page = TfrmContactInfo;
using enum ControlKind;

// The three field captions are sized to their text in the page font.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control            left  top  width height caption
    //        flags                           tab        click
    {Title,  &Page::lblTitle,     128, 104, 401, 16, "Please provide your name and email address",
             Flag::None,                      NoTabStop, nullptr},
    {Label,  &Page::lblText,      128, 144, 441, 57, "Norvane uses this information to keep you "
             "informed about Norvane products. All information is kept confidential so you won't "
             "be spammed. Leave the fields blank if you prefer not to be informed of anything.",
             Flag::None,                      NoTabStop, nullptr},
    {Label,  &Page::lblFirstName, 128, 224,   0,  0, "First name",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::txtFirstName, 208, 224, 233, 21, "",
             Flag::None,                      0,         nullptr},
    {Label,  &Page::lblLastName,  128, 256,   0,  0, "Last name",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::txtLastName,  208, 256, 233, 21, "",
             Flag::None,                      1,         nullptr},
    {Label,  &Page::lblEmail,     128, 288,   0,  0, "Email",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::txtEmail,     208, 288, 233, 21, "",
             Flag::None,                      2,         nullptr},
    {Button, &Page::cmdBack,      320, 368,  89, 25, "< &Back",
             Flag::None,                      3,         &Page::cmdBackClick},
    {Button, &Page::cmdNext,      408, 368,  89, 25, "&Next >",
             Flag::Default,                   4,         &Page::cmdNextClick},
    {Button, &Page::cmdCancel,    504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                    5,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

void TfrmContactInfo::CreateControls() {
    BuildLayout(*this, Layout);
    // No length limit: 0 lifts the edit box's default of 32,767 characters.
    for (HWND edit : {txtFirstName, txtLastName, txtEmail})
        SendMessageA(edit, EM_LIMITTEXT, 0, 0);
}

void TfrmContactInfo::FormShow() {
    SetWindowTextA(txtEmail, GetEmail().c_str());
    SetWindowTextA(txtFirstName, GetFirstName().c_str());
    SetWindowTextA(txtLastName, GetLastName().c_str());
}

// Stored exactly as typed: no trimming and no check; empty texts are fine.
void TfrmContactInfo::StoreContactInfo() {
    SetEmail(WindowText(txtEmail));
    SetFirstName(WindowText(txtFirstName));
    SetLastName(WindowText(txtLastName));
}

void TfrmContactInfo::cmdNextClick() {
    PageResult = PageResults::Next;
}

void TfrmContactInfo::cmdBackClick() {
    PageResult = PageResults::Back;
}

void TfrmContactInfo::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmContactInfo::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}

// Runs only for a close that went through the close query.
void TfrmContactInfo::FormClose() {
    StoreContactInfo();
}
