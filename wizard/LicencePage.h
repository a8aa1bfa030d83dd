// The licence agreement page: Next is enabled exactly while the terms are
// accepted, and the choice lasts for the whole run.
#pragma once

#include "Form.h"

class LicencePage : public Form {
  public:
    LicencePage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND agreementText = nullptr;
    HWND acceptOption = nullptr;
    HWND declineOption = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    void OnAccept();
    void OnDecline();
    void OnNext();
    void OnBack();
    void OnCancel();
    void OnCloseQuery(bool& canClose) override;
};

extern LicencePage* licencePage;
