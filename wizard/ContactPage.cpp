// The contact information page.
#include "ContactPage.h"

#include "Layout.h"

#include "Session.h"

ContactPage* contactPage = nullptr;

namespace {

using Page = ContactPage;
using enum ControlKind;

// The three field captions are sized to their text in the page font.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control               left  top  width height caption
    //        flags                           tab        click
    {Title,  &Page::titleText,      128, 104, 401, 16, "Please provide your name and email address",
             Flag::None,                      NoTabStop, nullptr},
    {Label,  &Page::introText,      128, 144, 441, 57, "Norvane uses this information to keep you "
             "informed about Norvane products. All information is kept confidential so you won't "
             "be spammed. Leave the fields blank if you prefer not to be informed of anything.",
             Flag::None,                      NoTabStop, nullptr},
    {Label,  &Page::firstNameLabel, 128, 224,   0,  0, "First name",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::firstNameBox,   208, 224, 233, 21, "",
             Flag::None,                      0,         nullptr},
    {Label,  &Page::lastNameLabel,  128, 256,   0,  0, "Last name",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::lastNameBox,    208, 256, 233, 21, "",
             Flag::None,                      1,         nullptr},
    {Label,  &Page::emailLabel,     128, 288,   0,  0, "Email",
             Flag::AutoSize | Flag::NamesNext, NoTabStop, nullptr},
    {Edit,   &Page::emailBox,       208, 288, 233, 21, "",
             Flag::None,                      2,         nullptr},
    {Button, &Page::backButton,     320, 368,  89, 25, "< &Back",
             Flag::None,                      3,         &Page::OnBack},
    {Button, &Page::nextButton,     408, 368,  89, 25, "&Next >",
             Flag::Default,                   4,         &Page::OnNext},
    {Button, &Page::cancelButton,   504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                    5,         &Page::OnCancel},
};
// clang-format on

} // namespace

void ContactPage::CreateControls() {
    BuildLayout(*this, Layout);
    // No length limit: 0 lifts the edit box's default of 32,767 characters.
    for (HWND edit : {firstNameBox, lastNameBox, emailBox})
        SendMessageA(edit, EM_LIMITTEXT, 0, 0);
}

void ContactPage::OnShow() {
    SetWindowTextA(emailBox, GetEmail().c_str());
    SetWindowTextA(firstNameBox, GetFirstName().c_str());
    SetWindowTextA(lastNameBox, GetLastName().c_str());
}

// Stored exactly as typed: no trimming and no check; empty texts are fine.
void ContactPage::StoreContactInfo() {
    SetEmail(WindowText(emailBox));
    SetFirstName(WindowText(firstNameBox));
    SetLastName(WindowText(lastNameBox));
}

void ContactPage::OnNext() {
    PageResult = PageResults::Next;
}

void ContactPage::OnBack() {
    PageResult = PageResults::Back;
}

void ContactPage::OnCancel() {
    PageResult = PageResults::Cancel;
}

void ContactPage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}

// Runs only for a close that went through the close query.
void ContactPage::OnClose() {
    StoreContactInfo();
}
