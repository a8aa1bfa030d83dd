// The licence agreement page.
#include "LicencePage.h"

#include "Artwork.h"
#include "Layout.h"
#include "resource.h"

#include <richedit.h>

LicencePage* licencePage = nullptr;

namespace {

using Page = LicencePage;
using enum ControlKind;

// clang-format off
const ControlLayout<Page> Layout[] = {
    // kind        control              left  top  width height caption
    //             flags                        tab        click
    {Title,       &Page::titleText,     128, 104, 441,  16, "License agreement",
                  Flag::None,                   NoTabStop, nullptr},
    {Label,       &Page::introText,     128, 144, 441,  17,
                  "Please read the following license agreement carefully:",
                  Flag::NamesNext,              NoTabStop, nullptr},
    {RichText,    &Page::agreementText, 128, 168, 441, 121, nullptr,
                  Flag::None,                   5,         nullptr},
    {RadioButton, &Page::acceptOption,  128, 304, 441,  17,
                  "I &accept the terms of the license agreement",
                  Flag::None,                   0,         &Page::OnAccept},
    {RadioButton, &Page::declineOption, 128, 328, 441,  17,
                  "I &do not accept the terms of the license agreement",
                  Flag::Checked,                1,         &Page::OnDecline},
    {Button,      &Page::backButton,    320, 368,  89,  25, "< &Back",
                  Flag::None,                   2,         &Page::OnBack},
    {Button,      &Page::nextButton,    408, 368,  89,  25, "&Next >",
                  Flag::Default | Flag::Disabled, 3,       &Page::OnNext},
    {Button,      &Page::cancelButton,  504, 368,  89,  25, "&Cancel",
                  Flag::Cancel,                 4,         &Page::OnCancel},
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

void LicencePage::CreateControls() {
    BuildLayout(*this, Layout);
    ShowAgreement(agreementText);
}

void LicencePage::OnAccept() {
    EnableWindow(nextButton, TRUE);
}

void LicencePage::OnDecline() {
    EnableWindow(nextButton, FALSE);
}

// Reachable only while the terms are accepted: the button is disabled otherwise.
void LicencePage::OnNext() {
    PageResult = PageResults::Next;
}

void LicencePage::OnBack() {
    PageResult = PageResults::Back;
}

void LicencePage::OnCancel() {
    PageResult = PageResults::Cancel;
}

void LicencePage::OnCloseQuery(bool& canClose) {
    if (PageResult == PageResults::Cancel)
        canClose = ConfirmQuit(Handle);
}
