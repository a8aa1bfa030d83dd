// The destination folder page.
#pragma once

#include "Form.h"

class TfrmDestination : public Form {
  public:
    TfrmDestination();

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND lblText2 = nullptr;
    HWND Label3 = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmDestination* frmDestination;
