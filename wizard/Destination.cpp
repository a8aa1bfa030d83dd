// The destination folder page.
#include "Destination.h"

#include "Layout.h"

TfrmDestination* frmDestination = nullptr;

namespace {

using Page = TfrmDestination;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control          left  top  width height caption
    //        flags                         tab        click
    {Title,  &Page::lblTitle,   128, 104, 441, 16, "Confirm installation folder",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::lblText,    128, 144, 441, 41, "Norvane components will be installed in the "
             "following installation folder. Click the 'Change...' button to install to a "
             "different folder if desired. Use the 'Make new folder' option to create the folder "
             "if it does not already exist.",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::Label1,     128, 192, 441, 41, "Note: If you are reinstalling a component "
             "that's already installed on your system, it will be reinstalled in the original "
             "folder instead of the following folder. To change the location of an already "
             "installed component you must ",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::Label2,     128, 232, 441, 17,
             "uninstall it using 'Add/Remove programs' in the control panel.",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::lblText2,   128, 264, 441, 17, "Installation folder:",
             Flag::None,                    NoTabStop, nullptr},
    {Label,  &Page::Label3,     128, 328, 441, 17, "Click Next to continue.",
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

TfrmDestination::TfrmDestination() : Form(285, 220) {
    BuildLayout(*this, Layout);
}

void TfrmDestination::cmdNextClick() {
    PageResult = PageResults::Next;
}

void TfrmDestination::cmdBackClick() {
    PageResult = PageResults::Back;
}

void TfrmDestination::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmDestination::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
