// The ready-to-install page, the last before installing: offers one installer log per package
// and checks the free space again on Install.
#pragma once

#include "Form.h"

class ReadyPage : public Form {
  public:
    ReadyPage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND installHint = nullptr;
    HWND reviewHint = nullptr;
    HWND logCheck = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    // The check box becomes the session's LogEnabled.
    void StoreLogOption();

    void OnNext();
    void OnBack();
    void OnCancel();
    void OnShow() override;
    void OnCloseQuery(bool& canClose) override;
    void OnClose() override;
};

extern ReadyPage* readyPage;
