// Walks a distribution's Setup.exe through every page, saving a picture of each (and of the
// quit question), installs and prints page titles and outcomes; for machines with no desktop.
//
// usage: walkthrough.exe DISTRIBUTION_FOLDER PICTURE_FOLDER
#include "Driver.h"

#include <cstdio>
#include <fstream>

using namespace e2e;

namespace {

// Saves what the screen shows of the window as a 24-bit BMP, after settle ms of painting.
bool SaveWindowPicture(HWND window, const std::string& path, DWORD settle = 300) {
    Sleep(settle);
    const RECT rect = WindowRect(window);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}

class Walk {
  public:
    Walk(const std::string& dist, const std::string& pictures)
        : pictures_(pictures), setup_(dist, "") {}

    HWND Show(const char* title, const char* picture, DWORD timeout = 60000, DWORD settle = 300) {
        HWND page = WaitForPage(setup_.Id(), title, timeout);
        std::printf("%-12s %s\n", picture, title);
        SaveWindowPicture(page, pictures_ + "\\" + picture + ".bmp", settle);
        return page;
    }
    void Press(HWND page, const char* button) {
        Click(Control(page, button));
        WaitUntilGone(page, 60000);
    }
    DWORD Id() const { return setup_.Id(); }
    DWORD End() { return setup_.WaitForExit(); }

  private:
    std::string pictures_;
    SetupProcess setup_;
};

int Run(const std::string& dist, const std::string& pictures) {
    Walk walk(dist, pictures);
    HWND page = walk.Show("Welcome to the Norvane Component Installer!", "welcome");

    // The quit question, answered No.
    Click(Control(page, "&Cancel"));
    HWND box = WaitForMessageBox(walk.Id(), "Confirm");
    std::printf("%-12s %s\n", "quit", MessageBoxText(box).c_str());
    SaveWindowPicture(box, pictures + "\\quit-question.bmp");
    AnswerMessageBox(box, IDNO);
    walk.Press(page, "&Next >");

    page = walk.Show("License agreement", "license");
    Click(Control(page, "I &accept the terms of the license agreement"));
    WaitUntilEnabled(Control(page, "&Next >"));
    walk.Press(page, "&Next >");
    walk.Press(walk.Show("Select Norvane components to install", "selection"), "&Next >");
    walk.Press(walk.Show("Confirm installation folder", "destination"), "&Next >");
    page = walk.Show("Please provide your name and email address", "contact");
    const auto edits = ControlsOfClass(page, "Edit");
    if (edits.size() == 3) {
        SetEditText(edits[0], "Ada");
        SetEditText(edits[1], "Lovelace");
        SetEditText(edits[2], "ada@example.org");
    }
    walk.Press(page, "&Next >");
    page = walk.Show("Ready to install!", "ready");
    Click(Control(page, "Generate MSI log files for the installations"));
    Click(Control(page, "&Install"));
    // The progress page paints at once and may be gone a moment later: take it when seen.
    try {
        walk.Show("Installing Norvane Components", "progress", 10000, 150);
    } catch (const DriverError&) {
    }
    page = walk.Show("Installation complete", "success");
    for (const ListRow& row : ListRows(ControlsOfClass(page, "SysListView32").at(0)))
        std::printf("  %-40s %s\n", row.caption.c_str(), row.second.c_str());
    walk.Press(page, "&Finish");
    const DWORD code = walk.End();
    std::printf("Setup.exe ended with exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: walkthrough.exe DISTRIBUTION_FOLDER PICTURE_FOLDER\n");
        return 2;
    }
    // Window rectangles and the screen in real pixels at every DPI, as the
    // installer (declared DPI-aware) sees them.
    SetProcessDPIAware();
    try {
        return Run(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "walkthrough: %s\n", error.what());
        return 1;
    }
}
