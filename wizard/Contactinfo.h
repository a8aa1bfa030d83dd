// The contact information page: first name, last name and e-mail address,
// all optional, kept in the install session exactly as typed.
#pragma once

#include "Form.h"

class TfrmContactInfo : public Form {
  public:
    TfrmContactInfo() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lblFirstName = nullptr;
    HWND txtFirstName = nullptr;
    HWND lblLastName = nullptr;
    HWND txtLastName = nullptr;
    HWND lblEmail = nullptr;
    HWND txtEmail = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    // The edit boxes become the session's e-mail, first and last name.
    void StoreContactInfo();

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose() override;
};

extern TfrmContactInfo* frmContactInfo;
