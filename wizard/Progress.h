// The progress page: one row per selected component, updated row by row by
// the installation run while the page is on screen. The user cannot act on
// it: its buttons are disabled and it has no close box.
#pragma once

#include "Form.h"
#include "ProgressRows.h"

class TfrmProgress : public Form, public ProgressRows {
  public:
    // No close box: the controller closes the page when the run is over.
    TfrmProgress() : Form(285, 220, false) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;
    HWND lsvProgress = nullptr;
    // Other title and text than the installation's, when set before showing.
    const PageTexts* Texts = nullptr;

    // Rebuilds the rows: the selected components in catalogue order, no
    // image, no status.
    void FormShow() override;

    // The row operations of the installation run. Each change is painted at
    // once: the run processes no window messages.
    int RowCount() override;
    ComponentEntry& RowEntry(int row) override;
    void SetRowImage(int row, int imageIndex) override;
    void SetRowStatus(int row, const std::string& status) override;
    void MakeRowVisible(int row) override;
};

extern TfrmProgress* frmProgress;
