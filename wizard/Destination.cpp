// The destination folder page.
#include "Destination.h"

#include "AccessibleNames.h"
#include "Layout.h"
#include "MessageTexts.h"

#include "Installmanager.h"

TfrmDestination* frmDestination = nullptr;

FolderBrowser BrowseDestinationFolder = BrowseForFolder;

namespace {

using Page = TfrmDestination;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control                    left  top  width height caption
    //        flags                                      tab        click
    {Title,  &Page::lblTitle,             128, 104, 441, 16, "Confirm installation folder",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::lblText,              128, 144, 441, 41, "Norvane components will be "
             "installed in the following installation folder. Click the 'Change...' button to "
             "install to a different folder if desired. Use the 'Make new folder' option to "
             "create the folder if it does not already exist.",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::Label1,               128, 192, 441, 41, "Note: If you are reinstalling a "
             "component that's already installed on your system, it will be reinstalled in the "
             "original folder instead of the following folder. To change the location of an "
             "already installed component you must ",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::Label2,               128, 232, 441, 17,
             "uninstall it using 'Add/Remove programs' in the control panel.",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::lblText2,             128, 264, 441, 17, "Installation folder:",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::lblDestinationFolder, 128, 288, 345, 17, "[RUN TIME]",
             Flag::Bold | Flag::OneLine,                 NoTabStop, nullptr},
    {Button, &Page::cmdChange,            480, 287,  89, 25, "Ch&ange...",
             Flag::None,                                 0,         &Page::cmdChangeClick},
    {Label,  &Page::Label3,               128, 328, 441, 17, "Click Next to continue.",
             Flag::None,                                 NoTabStop, nullptr},
    {Button, &Page::cmdBack,              320, 368,  89, 25, "< &Back",
             Flag::None,                                 1,         &Page::cmdBackClick},
    {Button, &Page::cmdNext,              408, 368,  89, 25, "&Next >",
             Flag::Default,                              2,         &Page::cmdNextClick},
    {Button, &Page::cmdCancel,            504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                               3,         &Page::cmdCancelClick},
};
// clang-format on

} // namespace

void TfrmDestination::CreateControls() {
    BuildLayout(*this, Layout);
}

HWND TfrmDestination::InitialFocus() {
    return cmdNext;
}

// The session supplies (and keeps) the default folder at the first show.
void TfrmDestination::FormShow() {
    ShowFolder(GetDestinationFolder());
}

// The folder is a label that never takes the focus: the Change button says
// it, so that it is heard.
void TfrmDestination::ShowFolder(const std::string& folder) {
    SetWindowTextA(lblDestinationFolder, folder.c_str());
    SetAccessibleName(cmdChange, ChangeFolderName + folder);
}

void TfrmDestination::StoreDestination() {
    SetDestinationFolder(WindowText(lblDestinationFolder));
}

// The browser starts at the shown folder (without a selection when that is
// longer than its 260-character buffer holds); the folder it returns is
// shown exactly as returned. Cancelling changes nothing.
void TfrmDestination::cmdChangeClick() {
    std::string folder = WindowText(lblDestinationFolder);
    if (BrowseDestinationFolder(folder, Handle, BrowseDestinationTitle))
        ShowFolder(folder);
}

// The folder is stored before the check, so it stays in the session when the
// page stays open.
void TfrmDestination::cmdNextClick() {
    StoreDestination();
    if (HasEnoughDiskSpace())
        PageResult = PageResults::Next;
    else
        MessageBoxA(Handle, MessageTexts::NotEnoughSpace, MessageTexts::Information,
                    MB_ICONINFORMATION | MB_OK);
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

void TfrmDestination::FormClose() {
    StoreDestination();
}
