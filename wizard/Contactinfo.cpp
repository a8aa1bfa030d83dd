// The contact information page.
#include "Contactinfo.h"

#include "Layout.h"

TfrmContactInfo* frmContactInfo = nullptr;

namespace {

using Page = TfrmContactInfo;
using enum ControlKind;

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
             Flag::AutoSize,                  NoTabStop, nullptr},
    {Label,  &Page::lblLastName,  128, 256,   0,  0, "Last name",
             Flag::AutoSize,                  NoTabStop, nullptr},
    {Label,  &Page::lblEmail,     128, 288,   0,  0, "Email",
             Flag::AutoSize,                  NoTabStop, nullptr},
    {Button, &Page::cmdBack,      320, 368,  89, 25, "< &Back",
             Flag::None,                      3,         &Page::cmdBackClick},
    {Button, &Page::cmdNext,      408, 368,  89, 25, "&Next >",
             Flag::Default,                   4,         &Page::cmdNextClick},
    {Button, &Page::cmdCancel,    504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                    5,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

TfrmContactInfo::TfrmContactInfo() : Form(285, 220) {
    BuildLayout(*this, Layout);
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
