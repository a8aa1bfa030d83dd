// The shell's folder browser, starting at a given folder.
#include "BrowseForFolder.h"

#include "Folders.h"

#include <shlobj.h>

namespace {

// Some browsers (Wine's among them) still move the selection while they finish opening;
// the same selection, posted, comes after that.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
        PostMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

} // namespace

bool BrowseForFolder(std::string& folder, HWND owner, const std::string& title) {
    // The browser's buffer is MAX_PATH: a longer initial folder is not cut into a different
    // path; the browser starts without a selection.
    char buffer[MAX_PATH] = {};
    if (folder.size() <= MaxPathLength)
        folder.copy(buffer, folder.size());

    // The new dialog style needs COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = buffer;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(buffer);

    bool picked = false;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        picked = SHGetPathFromIDListA(item, path) != FALSE;
        if (picked)
            folder = path;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return picked;
}
