// The ready-to-install page: the last page before the installation starts.
#pragma once

#include "Form.h"

class TfrmReadyToInstall : public Form {
  public:
    TfrmReadyToInstall();

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lblText2 = nullptr;
    HWND lblText3 = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmReadyToInstall* frmReadyToInstall;
