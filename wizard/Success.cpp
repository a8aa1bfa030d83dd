// The completion page.
#include "Success.h"

#include "AccessibleNames.h"
#include "Artwork.h"
#include "Layout.h"
#include "ListViews.h"
#include "MessageTexts.h"
#include "resource.h"

#include "Installmanager.h"

TfrmSuccess* frmSuccess = nullptr;

namespace {

using Page = TfrmSuccess;
using enum ControlKind;

// Images of the status strip used here.
constexpr int InstalledImage = 1;
constexpr int FailedImage = 2;

// The summary list stands inside the group box, at 8, 16 within it.
// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind     control              left  top  width height caption
    //          flags                                       tab        click
    {Title,    &Page::lblTitle,       128, 104, 441, 16, "Installation complete",
               Flag::None,                                  NoTabStop, nullptr},
    {Label,    &Page::lblText,        128, 144, 441, 41, "The installation has completed. To make "
               "the component(s) available in your project, read the 'Installation Instructions' "
               "topic in documentation. Click Finish to exit the install program.",
               Flag::None,                                  NoTabStop, nullptr},
    {Button,   &Page::cmdBack,        320, 368,  89, 25, "< &Back",
               Flag::Disabled,                              NoTabStop, nullptr},
    {Button,   &Page::cmdNext,        408, 368,  89, 25, "&Finish",
               Flag::Default | Flag::Cancel,                0,         &Page::cmdNextClick},
    {Button,   &Page::cmdCancel,      504, 368,  89, 25, "&Cancel",
               Flag::Disabled,                              NoTabStop, nullptr},
    {ListView, &Page::lsvComponents,  136, 288, 425, 57, nullptr,
               Flag::NoHeader | Flag::Borderless,           1,         nullptr},
    {GroupBox, &Page::GroupBox1,      128, 272, 441, 81, "Installation summary",
               Flag::None,                                  NoTabStop, nullptr},
};
// clang-format on

} // namespace

void TfrmSuccess::CreateControls() {
    BuildLayout(*this, Layout);
    AddListColumn(lsvComponents, "", 300);
    AddListColumn(lsvComponents, "", 100);
    // imgProgress: the list view owns it and destroys it with itself.
    SetImageStrip(lsvComponents, IDB_STATUS);
    SetAccessibleName(lsvComponents, "Installation summary");
}

void TfrmSuccess::FormShow() {
    FillSummaryList();
}

void TfrmSuccess::FillSummaryList() {
    SendMessageA(lsvComponents, LVM_DELETEALLITEMS, 0, 0);
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected)
            continue;
        const int row = AppendListRow(lsvComponents, entry.Description,
                                      entry.Succeeded ? InstalledImage : FailedImage,
                                      reinterpret_cast<LPARAM>(&entry));
        SetListText(lsvComponents, row, 1,
                    entry.Succeeded   ? MessageTexts::Succeeded
                    : entry.Cancelled ? MessageTexts::Cancelled
                                      : MessageTexts::Failed);
    }
}

void TfrmSuccess::cmdNextClick() {
    PageResult = PageResults::Next;
}
