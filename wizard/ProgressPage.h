// The progress page: a row per selected component, updated by the installation run, a bar for
// the package installing and a line for the service's current action. Only Cancel can act,
// while a package installs.
#pragma once

#include "Form.h"
#include "ProgressRows.h"

class ProgressPage : public Form, public ProgressRows {
  public:
    // No close box: the controller closes the page when the run is over.
    ProgressPage() : Form(285, 220, false) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;
    HWND progressList = nullptr;
    // Other title and text than the installation's, when set before showing.
    const PageTexts* Texts = nullptr;
    HWND actionText = nullptr;
    HWND packageBar = nullptr;

    // Whether Cancel can be pressed while a package installs; an unattended run offers none.
    bool CancelOffered = true;

    // Rebuilds the rows: the selected components in catalogue order, no
    // image, no status; the bar empty, no action, Cancel not pressed.
    void OnShow() override;

    // Asks whether to cancel the installation; Yes is told to the run.
    void OnCancel();

    // The row operations of the installation run. Each change is painted at
    // once: between the service's messages the page processes none.
    int RowCount() override;
    ComponentEntry& RowEntry(int row) override;
    void SetRowImage(int row, int imageIndex) override;
    void SetRowStatus(int row, const std::string& status) override;
    void MakeRowVisible(int row) override;

    // What the run tells while a package installs.
    HWND OwnerWindow() override { return Handle; }
    void SetPackageProgress(int perMille) override;
    void SetCurrentAction(const std::string& description) override;
    void AllowCancel(bool allowed) override;
    bool ServeWaitingMessages() override;

  private:
    bool cancelConfirmed_ = false;
};

extern ProgressPage* progressPage;
