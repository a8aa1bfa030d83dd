// The ready-to-install page.
#include "ReadyPage.h"

#include "Layout.h"
#include "MessageTexts.h"

#include "Folders.h"
#include "Session.h"

ReadyPage* readyPage = nullptr;

namespace {

using Page = ReadyPage;
using enum ControlKind;

// logCheck is checked in the layout; every show sets it from the session.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control             left  top  width height caption
    //          flags                            tab        click
    {Title,    &Page::titleText,    128, 104, 401, 16, "Ready to install!",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::introText,    128, 144, 441, 17,
               "The install program is ready to begin installation.",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::installHint,  128, 168, 441, 17,
               "Click Install to begin the actual installation of the components.",
               Flag::None,                       NoTabStop, nullptr},
    {Label,    &Page::reviewHint,   128, 192, 441, 41, "If you want to review or change any of the "
               "installation settings, click Back. To cancel installation and exit the wizard, "
               "click Cancel.",
               Flag::None,                       NoTabStop, nullptr},
    {CheckBox, &Page::logCheck,     128, 272, 441, 17,
               "Generate MSI log files for the installations",
               Flag::Checked,                    0,         nullptr},
    {Button,   &Page::backButton,   320, 368,  89, 25, "< &Back",
               Flag::None,                       1,         &Page::OnBack},
    {Button,   &Page::nextButton,   408, 368,  89, 25, "&Install",
               Flag::Default,                    2,         &Page::OnNext},
    {Button,   &Page::cancelButton, 504, 368,  89, 25, "&Cancel",
               Flag::Cancel,                     3,         &Page::OnCancel},
};
// clang-format on

} // namespace

void ReadyPage::CreateControls() {
    BuildLayout(*this, Layout);
}

void ReadyPage::OnShow() {
    SendMessageA(logCheck, BM_SETCHECK, InstallSession.LogEnabled ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ReadyPage::StoreLogOption() {
    InstallSession.LogEnabled = SendMessageA(logCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Install checks the free space again: the selection or destination may have changed since the
// destination page, or the drive filled up.
void ReadyPage::OnNext() {
    if (HasEnoughDiskSpace())
        PageResult = PageResults::Next;
    else
        MessageBoxA(Handle, MessageTexts::NotEnoughSpace, MessageTexts::Information,
                    MB_ICONINFORMATION | MB_OK);
}

void ReadyPage::OnBack() {
    PageResult = PageResults::Back;
}

void ReadyPage::OnCancel() {
    PageResult = PageResults::Cancel;
}

void ReadyPage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}

// Only after the close query: Install, Back and a confirmed quit store the option.
void ReadyPage::OnClose() {
    StoreLogOption();
}
