// The ready-to-install page.
#include "Readytoinstall.h"

#include "Layout.h"
#include "MessageTexts.h"

#include "Installmanager.h"

TfrmReadyToInstall* frmReadyToInstall = nullptr;

namespace {

using Page = TfrmReadyToInstall;
using enum ControlKind;

// chkLogFile is checked in the layout; every show sets it from the session.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control           left  top  width height caption
    //          flags                            tab        click
    {Title,    &Page::lblTitle,    128, 104, 401, 16, "Ready to install!",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::lblText,     128, 144, 441, 17,
               "The install program is ready to begin installation.",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::lblText2,    128, 168, 441, 17,
               "Click Install to begin the actual installation of the components.",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::lblText3,    128, 192, 441, 41, "If you want to review or change any of the "
               "installation settings, click Back. To cancel installation and exit the wizard, "
               "click Cancel.",
               Flag::None,                       NoTabStop, nullptr},
    {CheckBox, &Page::chkLogFile,  128, 272, 441, 17,
               "Generate MSI log files for the installations",
               Flag::Checked,                    0,         nullptr},
    {Button,   &Page::cmdBack,     320, 368,  89, 25, "< &Back",
               Flag::None,                       1,         &Page::cmdBackClick},
    {Button,   &Page::cmdNext,     408, 368,  89, 25, "&Install",
               Flag::Default,                    2,         &Page::cmdNextClick},
    {Button,   &Page::cmdCancel,   504, 368,  89, 25, "&Cancel",
               Flag::Cancel,                     3,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

void TfrmReadyToInstall::CreateControls() {
    BuildLayout(*this, Layout);
}

void TfrmReadyToInstall::FormShow() {
    SendMessageA(chkLogFile, BM_SETCHECK, InstallSession.LogEnabled ? BST_CHECKED : BST_UNCHECKED,
                 0);
}

void TfrmReadyToInstall::StoreLogOption() {
    InstallSession.LogEnabled = SendMessageA(chkLogFile, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Install: the free space is checked again, as the selection or the
// destination may have changed since the destination page, or the drive
// filled up.
void TfrmReadyToInstall::cmdNextClick() {
    if (HasEnoughDiskSpace())
        PageResult = PageResults::Next;
    else
        MessageBoxA(Handle, MessageTexts::NotEnoughSpace, MessageTexts::Information,
                    MB_ICONINFORMATION | MB_OK);
}

void TfrmReadyToInstall::cmdBackClick() {
    PageResult = PageResults::Back;
}

void TfrmReadyToInstall::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmReadyToInstall::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}

// Runs only for a close that went through the close query: Install, Back and
// a confirmed quit store the option, a refused quit does not.
void TfrmReadyToInstall::FormClose() {
    StoreLogOption();
}
