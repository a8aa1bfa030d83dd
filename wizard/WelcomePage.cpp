// The welcome page.
#include "WelcomePage.h"

#include "Layout.h"

WelcomePage* welcomePage = nullptr;

namespace {

using Page = WelcomePage;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control             left  top  width height caption
    //        flags                         tab        click
    {Title,  &Page::titleText,    128, 104, 401, 16, "Welcome to the Norvane Component Installer!",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::introText,    128, 144, 441, 41, "This installation program will install the full "
             "versions of the Norvane components of your choice, with complete documentation, "
             "examples and sample applications.",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::nextHint,     128, 328, 441, 17, "Click Next to begin the installation.",
             Flag::None,                    NoTabStop, nullptr},
    {Button, &Page::backButton,   320, 368,  89, 25, "< &Back",
             Flag::Disabled,                0,         nullptr},
    {Button, &Page::nextButton,   408, 368,  89, 25, "&Next >",
             Flag::Default,                 1,         &Page::OnNext},
    {Button, &Page::cancelButton, 504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                  2,         &Page::OnCancel},
};
// clang-format on

} // namespace

void WelcomePage::CreateControls() {
    BuildLayout(*this, Layout);
}

void WelcomePage::OnNext() {
    PageResult = PageResults::Next;
}

void WelcomePage::OnCancel() {
    PageResult = PageResults::Cancel;
}

void WelcomePage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
