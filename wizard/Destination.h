// The destination folder page: shows the folder under which the components
// will be installed, lets the user pick another one in the shell's folder
// browser, and does not go on while that drive lacks the room the selected
// components need.
#pragma once

#include "Form.h"

#include <string>

class TfrmDestination : public Form {
  public:
    TfrmDestination() : Form(285, 220) {}
    void CreateControls() override;

    HWND lblTitle = nullptr;
    HWND lblText = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    HWND lblText2 = nullptr;
    HWND lblDestinationFolder = nullptr;
    HWND cmdChange = nullptr;
    HWND Label3 = nullptr;
    HWND cmdBack = nullptr;
    HWND cmdNext = nullptr;
    HWND cmdCancel = nullptr;

    // Shows the folder, and names the Change button after it.
    void ShowFolder(const std::string& folder);
    // The shown folder becomes the session's destination, unchanged.
    void StoreDestination();

    void cmdChangeClick();
    void cmdNextClick();
    void cmdBackClick();
    void cmdCancelClick();
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose() override;

  protected:
    HWND InitialFocus() override;
};

extern TfrmDestination* frmDestination;

// The title of the folder browser opened by Change.
inline constexpr const char* BrowseDestinationTitle = "Select the destination directory.";

// The accessible name of Change: this, then the shown folder.
inline constexpr const char* ChangeFolderName = "Change installation folder, now ";

// The folder browser that Change opens: BrowseForFolder unless a test has put
// its own in. Same contract: true with the picked folder in `folder`.
using FolderBrowser = bool (*)(std::string& folder, HWND owner, const std::string& title);
extern FolderBrowser BrowseDestinationFolder;
