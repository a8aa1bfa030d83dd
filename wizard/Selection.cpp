// The component selection page.
#include "Selection.h"

#include "Layout.h"

TfrmSelection* frmSelection = nullptr;

namespace {

using Page = TfrmSelection;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control          left  top  width height caption
    //        flags                         tab        click
    {Title,  &Page::lblTitle,   128, 104, 401, 16, "Select Norvane components to install",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::lblText,    128, 144, 441, 41, "Select which components you want to install "
             "or reinstall on your system. Note that unchecking an item will not uninstall it if "
             "it's already on your system. Use  Add/Remove programs' in the control panel for that.",
             Flag::None,                    NoTabStop, nullptr},
    {Button, &Page::cmdBack,    320, 368,  89, 25, "< &Back",
             Flag::None,                    1,         &Page::cmdBackClick},
    {Button, &Page::cmdNext,    408, 368,  89, 25, "&Next >",
             Flag::Default,                 2,         &Page::cmdNextClick},
    {Button, &Page::cmdCancel,  504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                  3,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

TfrmSelection::TfrmSelection() : Form(285, 220) {
    BuildLayout(*this, Layout);
}

void TfrmSelection::cmdNextClick() {
    PageResult = PageResults::Next;
}

void TfrmSelection::cmdBackClick() {
    PageResult = PageResults::Back;
}

void TfrmSelection::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmSelection::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
