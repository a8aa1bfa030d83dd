// The contact information page.
#pragma once

#include "Form.h"

class TfrmContactInfo : public Form {
  public:
    TfrmContactInfo();

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lblFirstName = nullptr;
    HWND lblLastName = nullptr;
    HWND lblEmail = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmContactInfo* frmContactInfo;
