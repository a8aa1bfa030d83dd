// The pages' colours in the user's colour scheme.
#include "HighContrast.h"

#include "SystemLibraries.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstdlib>
#include <initializer_list>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Navy = RGB(0, 0, 128);

// Wine always answers SPI_GETHIGHCONTRAST "off", so there the stored value is read; Windows is
// asked only through SystemParametersInfo, which also knows a change that was not stored.
bool StoredSettingOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return false;
    char flags[16] = {};
    DWORD size = sizeof flags - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Accessibility\\HighContrast", "Flags",
                     RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS)
        return false;
    return (std::strtoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

bool ReadSetting() {
    HIGHCONTRASTA setting = {};
    setting.cbSize = sizeof setting;
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
        (setting.dwFlags & HCF_HIGHCONTRASTON))
        return true;
    return StoredSettingOnWine();
}

bool& Current() {
    static bool on = ReadSetting();
    return on;
}

} // namespace

bool HighContrast() {
    return Current();
}

void RefreshHighContrast() {
    Current() = ReadSetting();
}

COLORREF PanelColour() {
    return HighContrast() ? GetSysColor(COLOR_WINDOW) : White;
}

HBRUSH PanelBrush() {
    return HighContrast() ? GetSysColorBrush(COLOR_WINDOW)
                          : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

COLORREF TitleColour() {
    return HighContrast() ? GetSysColor(COLOR_WINDOWTEXT) : Navy;
}

void ApplyListColours(HWND list) {
    SendMessageA(list, LVM_SETBKCOLOR, 0, PanelColour());
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, PanelColour());
    SendMessageA(list, LVM_SETTEXTCOLOR, 0,
                 HighContrast() ? GetSysColor(COLOR_WINDOWTEXT) : CLR_DEFAULT);
}

void SetClassicLook(HWND control, bool classic) {
    using SetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setWindowTheme = [] {
        HMODULE uxtheme = LoadSystemLibrary("uxtheme.dll");
        return uxtheme ? reinterpret_cast<SetWindowTheme>(
                             reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                       : nullptr;
    }();
    if (!setWindowTheme)
        return;
    // A blank name matches no style (Wine refuses empty ones); null ones give
    // the control its own back. A list view's header is a window of its own.
    for (HWND window : {control, FindWindowExA(control, nullptr, WC_HEADERA, nullptr)})
        if (window)
            setWindowTheme(window, classic ? L" " : nullptr, classic ? L" " : nullptr);
}

void ApplyRichTextColours(HWND box) {
    // wParam 1: the system's window colour, followed when the scheme changes.
    if (HighContrast())
        SendMessageA(box, EM_SETBKGNDCOLOR, 1, 0);
    else
        SendMessageA(box, EM_SETBKGNDCOLOR, 0, White);
}
