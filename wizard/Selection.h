// The component selection page: one checked row per component of the
// catalogue. Required components stay checked, and the page cannot be left
// forward with nothing checked. Every visit rebuilds the list from the
// catalogue; every close that goes through writes the marks back.
#pragma once

#include "Form.h"

#include <cstdint>
#include <string>

class TfrmSelection : public Form {
  public:
    TfrmSelection() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND lsvComponent = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    // Rebuilds the rows from the catalogue, in catalogue order.
    void FillComponentList();
    // A change of one row: a required row that was unchecked is checked again
    // after a notice.
    void lsvComponentChange(int item);
    // True when at least one row is checked.
    bool AnyComponentChecked();
    // Each row's check mark becomes its entry's Selected flag.
    void StoreComponentSelection();

    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;

  protected:
    LRESULT OnNotify(const NMHDR& header) override;

  private:
    bool filling_ = false;
};

extern TfrmSelection* frmSelection;

// The notices of the page.
inline constexpr const char* RequiredComponentText = "This component is required.";
inline constexpr const char* NothingSelectedText =
    "You must select at least one component to install.";

// The Space column's text of a size in kilobytes: "~", the size with the
// user's thousands separator between groups of three digits, " KB".
std::string ComponentSizeText(int64_t kilobytes);
