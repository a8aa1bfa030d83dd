// The shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

// Modal to owner, starting at folder. True when the user picked a folder,
// whose path is then in folder; false on cancel (folder unchanged).
bool BrowseForFolder(std::string& folder, HWND owner, const std::string& title);
