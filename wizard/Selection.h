// The component selection page.
#pragma once

#include "Form.h"

class TfrmSelection : public Form {
  public:
    TfrmSelection();

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormCloseQuery(bool& canClose) override;
};

extern TfrmSelection* frmSelection;
