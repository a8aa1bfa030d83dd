// The ready-to-install page: the last page before the installation starts.
// Offers one installer log per package and checks the free space once more
// when Install is pressed.
#pragma once

#include "Form.h"

class TfrmReadyToInstall : public Form {
  public:
    TfrmReadyToInstall() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lblText2 = nullptr;
    HWND lblText3 = nullptr;
    HWND chkLogFile = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    // The check box becomes the session's LogEnabled.
    void StoreLogOption();

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose() override;
};

extern TfrmReadyToInstall* frmReadyToInstall;
