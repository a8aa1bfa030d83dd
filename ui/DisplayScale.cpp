// DPI look-ups through GetProcAddress: the installer also runs on Windows 7,
// whose user32 has none of them.
#include "DisplayScale.h"

#include "SystemLibraries.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);

template <class Function> Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : LayoutDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : LayoutDpi;
}

} // namespace

int WindowDpi(HWND window) {
    static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (forWindow && window)
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    static const auto forMonitor = [] {
        HMODULE shcore = LoadSystemLibrary("shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFunction>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (forMonitor && window &&
        SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) &&
        x > 0)
        return static_cast<int>(x); // 0: MDT_EFFECTIVE_DPI
    return ScreenDpi();
}

int Scaled(int value, int dpi) {
    return MulDiv(value, dpi, LayoutDpi);
}

RECT ScaledRect(int left, int top, int width, int height, int dpi) {
    return {Scaled(left, dpi), Scaled(top, dpi), Scaled(left + width, dpi),
            Scaled(top + height, dpi)};
}

void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
}

int MetricForDpi(int index, int dpi) {
    static const auto forDpi = User32Function<MetricForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

RECT WorkAreaAt(POINT point) {
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONULL);
    if (!monitor) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
}
