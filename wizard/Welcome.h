// The welcome page: greets the user and offers Next and Cancel.
#pragma once

#include "Form.h"

class TfrmWelcome : public Form {
  public:
    TfrmWelcome();

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
