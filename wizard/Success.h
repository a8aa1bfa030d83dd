// The completion page: the outcome of every selected component; Finish ends
// the program.
#pragma once

#include "Form.h"

class TfrmSuccess : public Form {
  public:
    TfrmSuccess() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;
    HWND GroupBox1 = nullptr;
    HWND lsvComponents = nullptr;
    // Other title, text and summary caption than the installation's.
    const PageTexts* Texts = nullptr;

    void FormShow() override;
    void FillSummaryList();
    void cmdNextClick();
};

extern TfrmSuccess* frmSuccess;
