// The welcome page: greets the user and offers Next and Cancel.
#pragma once

#include "Form.h"

class WelcomePage : public Form {
  public:
    // Stored position 285, 220; centred on its monitor's work area at the first show.
    WelcomePage() : Form(285, 220) { CentreAtFirstShow = true; }
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND nextHint = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    void OnNext();
    void OnCancel();
    void OnCloseQuery(bool& canClose) override;
};

extern WelcomePage* welcomePage;
