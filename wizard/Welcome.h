// The welcome page: greets the user and offers Next and Cancel.
#pragma once

#include "Form.h"

class TfrmWelcome : public Form {
  public:
    // Stored position 285, 220; centred on the desktop at the first show.
    TfrmWelcome() : Form(285, 220) { CentreAtFirstShow = true; }
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lblText1 = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void cmdNextClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmWelcome* frmWelcome;
