// The start-up baseline: the plainest Win32 program, one window with one label, built and started
// as the installer is. With "msi" it first does only what the installer must before its first
// page: load the Windows Installer service's DLL and query the state of six products.
#include <windows.h>
#include <msi.h>

#include <cstring>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strstr(commandLine, "msi")) {
        HMODULE msi = LoadLibraryA("msi.dll");
        auto query = reinterpret_cast<INSTALLSTATE(WINAPI*)(LPCSTR)>(
            reinterpret_cast<void*>(GetProcAddress(msi, "MsiQueryProductStateA")));
        char code[] = "{00000000-0000-0000-0000-000000000000}";
        for (char i = '1'; query && i <= '6'; ++i) {
            code[36] = i;
            query(code);
        }
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "NorvaneBenchBaseline";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Norvane Bench Baseline",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 600, 400,
                                  nullptr, nullptr, instance, nullptr);
    CreateWindowExA(0, "STATIC", "Baseline window", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, window,
                    nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
