// The licence agreement page: Next is enabled exactly while the terms are
// accepted, and the choice lasts for the whole run.
#pragma once

#include "Form.h"

class TfrmLicenseAgreement : public Form {
  public:
    TfrmLicenseAgreement() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND rtbLicense = nullptr;
    HWND rdbAccept = nullptr;
    HWND rdbDontAccept = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void rdbAcceptClick();
    void rdbDontAcceptClick();
    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmLicenseAgreement* frmLicenseAgreement;
