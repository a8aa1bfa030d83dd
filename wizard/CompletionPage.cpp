// The completion page.
#include "CompletionPage.h"

#include "AccessibleNames.h"
#include "Artwork.h"
#include "Layout.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "resource.h"

#include "Session.h"

CompletionPage* completionPage = nullptr;

namespace {

using Page = CompletionPage;
using enum ControlKind;

// Images of the status strip used here.
constexpr int InstalledImage = 1;
constexpr int FailedImage = 2;

// The summary list stands inside the group box, at 8, 16 within it.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control             left  top  width height caption
    //          flags                                       tab        click
    {Title,    &Page::titleText,    128, 104, 441, 16, "Installation complete",
               Flag::None,                                  NoTabStop, nullptr},
    {Label,    &Page::introText,    128, 144, 441, 41, "The installation has completed. To make "
               "the component(s) available in your project, read the 'Installation Instructions' "
               "topic in documentation. Click Finish to exit the install program.",
               Flag::None,                                  NoTabStop, nullptr},
    {Button,   &Page::backButton,   320, 368,  89, 25, "< &Back",
               Flag::Disabled,                              NoTabStop, nullptr},
    {Button,   &Page::nextButton,   408, 368,  89, 25, "&Finish",
               Flag::Default | Flag::Cancel,                0,         &Page::OnNext},
    {Button,   &Page::cancelButton, 504, 368,  89, 25, "&Cancel",
               Flag::Disabled,                              NoTabStop, nullptr},
    {ListView, &Page::summaryList,  136, 288, 425, 57, nullptr,
               Flag::NoHeader | Flag::Borderless,           1,         nullptr},
    {GroupBox, &Page::summaryBox,   128, 272, 441, 81, "Installation summary",
               Flag::None,                                  NoTabStop, nullptr},
};
// clang-format on

} // namespace

void CompletionPage::CreateControls() {
    BuildLayout(*this, Layout);
    AddListColumn(summaryList, "", 300);
    AddListColumn(summaryList, "", 100);
    SetImageStrip(summaryList, IDB_STATUS);
    SetAccessibleName(summaryList, "Installation summary");
}

void CompletionPage::OnShow() {
    if (Texts) {
        SetWindowTextA(titleText, Texts->Title);
        SetWindowTextA(introText, Texts->Text);
        SetWindowTextA(summaryBox, Texts->Summary);
    }
    FillSummaryList();
}

void CompletionPage::FillSummaryList() {
    SendMessageA(summaryList, LVM_DELETEALLITEMS, 0, 0);
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected)
            continue;
        const int row = AppendListRow(summaryList, entry.Description,
                                      entry.Succeeded ? InstalledImage : FailedImage,
                                      reinterpret_cast<LPARAM>(&entry));
        SetListText(summaryList, row, 1,
                    entry.Succeeded   ? MessageTexts::Succeeded
                    : entry.Cancelled ? MessageTexts::Cancelled
                                      : MessageTexts::Failed);
    }
}

void CompletionPage::OnNext() {
    PageResult = PageResults::Next;
}
