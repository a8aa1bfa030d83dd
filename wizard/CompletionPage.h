// The completion page: the outcome of every selected component; Finish ends
// the program.
#pragma once

#include "Form.h"

class CompletionPage : public Form {
  public:
    CompletionPage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;
    HWND summaryBox = nullptr;
    HWND summaryList = nullptr;
    // Other title, text and summary caption than the installation's.
    const PageTexts* Texts = nullptr;

    void OnShow() override;
    void FillSummaryList();
    void OnNext();
};

extern CompletionPage* completionPage;
