// The destination folder page: shows the install folder, lets the user pick another in the
// shell's folder browser, and does not go on while its drive lacks room for the selection.
#pragma once

#include "Form.h"

#include <string>

class DestinationPage : public Form {
  public:
    DestinationPage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND reinstallNote = nullptr;
    HWND reinstallNoteEnd = nullptr;
    HWND folderCaption = nullptr;
    HWND folderText = nullptr;
    HWND changeButton = nullptr;
    HWND nextHint = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    // Shows the folder, and names the Change button after it.
    void ShowFolder(const std::string& folder);
    // The shown folder becomes the session's destination, unchanged.
    void StoreDestination();

    void OnChange();
    void OnNext();
    void OnBack();
    void OnCancel();
    void OnShow() override;
    void OnCloseQuery(bool& canClose) override;
    void OnClose() override;

  protected:
    HWND InitialFocus() override;
};

extern DestinationPage* destinationPage;

// The title of the folder browser opened by Change.
inline constexpr const char* BrowseDestinationTitle = "Select the destination directory.";

// The accessible name of Change: this, then the shown folder.
inline constexpr const char* ChangeFolderName = "Change installation folder, now ";

// The folder browser that Change opens: BrowseForFolder unless a test has put
// its own in. Same contract: true with the picked folder in `folder`.
using FolderBrowser = bool (*)(std::string& folder, HWND owner, const std::string& title);
extern FolderBrowser BrowseDestinationFolder;
