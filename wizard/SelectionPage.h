// The component selection page: a checked row per catalogue component; required ones stay
// checked and Next needs one checked. Each visit rebuilds the list from the catalogue; each
// close that goes through writes the marks back.
#pragma once

#include "Form.h"

#include <cstdint>
#include <string>

class SelectionPage : public Form {
  public:
    SelectionPage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND componentList = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    // Rebuilds the rows from the catalogue, in catalogue order.
    void FillComponentList();
    // A change of one row: an unchecked required row is checked again after a notice.
    void OnComponentChange(int item);
    // True when at least one row is checked.
    bool AnyComponentChecked();
    // Each row's check mark becomes its entry's Selected flag.
    void StoreComponentSelection();

    void OnNext();
    void OnBack();
    void OnCancel();
    void OnShow() override;
    void OnCloseQuery(bool& canClose) override;

  protected:
    LRESULT OnNotify(const NMHDR& header) override;

  private:
    bool filling_ = false;
};

extern SelectionPage* selectionPage;

// The notices of the page.
inline constexpr const char* RequiredComponentText = "This component is required.";
inline constexpr const char* NothingSelectedText =
    "You must select at least one component to install.";

// The Space column's text of a size in kilobytes: "~", the size with the
// user's thousands separator between groups of three digits, " KB".
std::string ComponentSizeText(int64_t kilobytes);
