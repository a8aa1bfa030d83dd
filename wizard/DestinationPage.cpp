// The destination folder page.
#include "DestinationPage.h"

#include "AccessibleNames.h"
#include "Layout.h"
#include "MessageTexts.h"

#include "BrowseForFolder.h"
#include "Folders.h"
#include "Session.h"

DestinationPage* destinationPage = nullptr;

FolderBrowser BrowseDestinationFolder = BrowseForFolder;

namespace {

using Page = DestinationPage;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind   control                 left  top  width height caption
    //        flags                                      tab        click
    {Title,  &Page::titleText,        128, 104, 441, 16, "Confirm installation folder",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::introText,        128, 144, 441, 41, "Norvane components will be "
             "installed in the following installation folder. Click the 'Change...' button to "
             "install to a different folder if desired. Use the 'Make new folder' option to "
             "create the folder if it does not already exist.",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::reinstallNote,    128, 192, 441, 41, "Note: If you are reinstalling a "
             "component that's already installed on your system, it will be reinstalled in the "
             "original folder instead of the following folder. To change the location of an "
             "already installed component you must ",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::reinstallNoteEnd, 128, 232, 441, 17,
             "uninstall it using 'Add/Remove programs' in the control panel.",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::folderCaption,    128, 264, 441, 17, "Installation folder:",
             Flag::None,                                 NoTabStop, nullptr},
    {Label,  &Page::folderText,       128, 288, 345, 17, "[RUN TIME]",
             Flag::Bold | Flag::OneLine,                 NoTabStop, nullptr},
    {Button, &Page::changeButton,     480, 287,  89, 25, "Ch&ange...",
             Flag::None,                                 0,         &Page::OnChange},
    {Label,  &Page::nextHint,         128, 328, 441, 17, "Click Next to continue.",
             Flag::None,                                 NoTabStop, nullptr},
    {Button, &Page::backButton,       320, 368,  89, 25, "< &Back",
             Flag::None,                                 1,         &Page::OnBack},
    {Button, &Page::nextButton,       408, 368,  89, 25, "&Next >",
             Flag::Default,                              2,         &Page::OnNext},
    {Button, &Page::cancelButton,     504, 368,  89, 25, "&Cancel",
             Flag::Cancel,                               3,         &Page::OnCancel},
};
// clang-format on

} // namespace

void DestinationPage::CreateControls() {
    BuildLayout(*this, Layout);
}

HWND DestinationPage::InitialFocus() {
    return nextButton;
}

// The session supplies (and keeps) the default folder at the first show.
void DestinationPage::OnShow() {
    ShowFolder(GetDestinationFolder());
}

// The folder label never takes the focus: Change's accessible name says it, so it is heard.
void DestinationPage::ShowFolder(const std::string& folder) {
    SetWindowTextA(folderText, folder.c_str());
    SetAccessibleName(changeButton, ChangeFolderName + folder);
}

void DestinationPage::StoreDestination() {
    SetDestinationFolder(WindowText(folderText));
}

// Starts at the shown folder (unselected when longer than the browser's 260-character buffer);
// what it returns is shown exactly as returned. Cancelling changes nothing.
void DestinationPage::OnChange() {
    std::string folder = WindowText(folderText);
    if (BrowseDestinationFolder(folder, Handle, BrowseDestinationTitle))
        ShowFolder(folder);
}

// Stored before the check, so the folder stays in the session while the page stays open.
void DestinationPage::OnNext() {
    StoreDestination();
    if (HasEnoughDiskSpace())
        PageResult = PageResults::Next;
    else
        MessageBoxA(Handle, MessageTexts::NotEnoughSpace, MessageTexts::Information,
                    MB_ICONINFORMATION | MB_OK);
}

void DestinationPage::OnBack() {
    PageResult = PageResults::Back;
}

void DestinationPage::OnCancel() {
    PageResult = PageResults::Cancel;
}

void DestinationPage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}

void DestinationPage::OnClose() {
    StoreDestination();
}
