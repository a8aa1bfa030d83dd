// The welcome page.
#include "Welcome.h"

#include "Layout.h"

TfrmWelcome* frmWelcome = nullptr;

namespace {

using Page = TfrmWelcome;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control          left  top  width height caption
    //        flags                         tab        click
    {Title,  &Page::lblTitle,   128, 104, 401, 16, "Welcome to the Norvane Component Installer!",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::lblText,    128, 144, 441, 41, "This installation program will install the full "
             "versions of the Norvane components of your choice, with complete documentation, "
             "examples and sample applications.",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::lblText1,   128, 328, 441, 17, "Click Next to begin the installation.",
             Flag::None,                    NoTabStop, nullptr},
    {Button, &Page::cmdBack,    320, 368,  89, 25, "< &Back",
             Flag::Disabled,                0,         nullptr},
    {Button, &Page::cmdNext,    408, 368,  89, 25, "&Next >",
             Flag::Default,                 1,         &Page::cmdNextClick},
    {Button, &Page::cmdCancel,  504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                  2,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

void TfrmWelcome::CreateControls() {
    BuildLayout(*this, Layout);
}

void TfrmWelcome::cmdNextClick() {
    PageResult = PageResults::Next;
}

void TfrmWelcome::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmWelcome::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
