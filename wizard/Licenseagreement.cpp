// The licence agreement page.
#include "Licenseagreement.h"

#include "Artwork.h"
#include "Layout.h"
#include "resource.h"

#include <richedit.h>

TfrmLicenseAgreement* frmLicenseAgreement = nullptr;

namespace {

using Page = TfrmLicenseAgreement;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind        control             left  top  width height caption
    //             flags                        tab        click
    {Title,       &Page::lblTitle,      128, 104, 441,  16, "License agreement",
                  Flag::None,                   NoTabStop, nullptr},
    {Label,       &Page::lblText,       128, 144, 441,  17,
                  "Please read the following license agreement carefully:",
                  Flag::NamesNext,              NoTabStop, nullptr},
    {RichText,    &Page::rtbLicense,    128, 168, 441, 121, nullptr,
                  Flag::None,                   5,         nullptr},
    {RadioButton, &Page::rdbAccept,     128, 304, 441,  17,
                  "I &accept the terms of the license agreement",
                  Flag::None,                   0,         &Page::rdbAcceptClick},
    {RadioButton, &Page::rdbDontAccept, 128, 328, 441,  17,
                  "I &do not accept the terms of the license agreement",
                  Flag::Checked,                1,         &Page::rdbDontAcceptClick},
    {Button,      &Page::cmdBack,       320, 368,  89,  25, "< &Back",
                  Flag::None,                   2,         &Page::cmdBackClick},
    {Button,      &Page::cmdNext,       408, 368,  89,  25, "&Next >",
                  Flag::Default | Flag::Disabled, 3,       &Page::cmdNextClick},
    {Button,      &Page::cmdCancel,     504, 368,  89,  25, "&Cancel",
                  Flag::Cancel,                 4,         &Page::cmdCancelClick},
};
// clang-format on

// The agreement is stored with the program as code page 1252 text and shown
// as plain text, whatever the system's own code page.
void ShowAgreement(HWND box) {
    const std::string text = LoadDataResource(IDR_LICENSE);
    SETTEXTEX how = {ST_DEFAULT, 1252};
    SendMessageA(box, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                 reinterpret_cast<LPARAM>(text.c_str()));
    // Shown from its first line.
    SendMessageA(box, EM_SETSEL, 0, 0);
    SendMessageA(box, WM_VSCROLL, SB_TOP, 0);
}

} // namespace

void TfrmLicenseAgreement::CreateControls() {
    BuildLayout(*this, Layout);
    ShowAgreement(rtbLicense);
}

void TfrmLicenseAgreement::rdbAcceptClick() {
    EnableWindow(cmdNext, TRUE);
}

void TfrmLicenseAgreement::rdbDontAcceptClick() {
    EnableWindow(cmdNext, FALSE);
}

// Only reachable while the terms are accepted: the button is disabled
// otherwise.
void TfrmLicenseAgreement::cmdNextClick() {
    PageResult = PageResults::Next;
}

void TfrmLicenseAgreement::cmdBackClick() {
    PageResult = PageResults::Back;
}

void TfrmLicenseAgreement::cmdCancelClick() {
    PageResult = PageResults::Cancel;
}

void TfrmLicenseAgreement::FormCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
