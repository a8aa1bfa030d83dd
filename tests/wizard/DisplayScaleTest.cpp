// The pages at common monitors' display scales. Wine reads the prefix's DPI (LogPixels) at
// start, so each DPI is checked in a child started after setting it. Wine gives every monitor
// and every program that one DPI, DPI-aware manifest or not, so neither moving a page between
// monitors of different DPI nor the installer's declaration is checked here.
#include "AllPages.h"
#include "Artwork.h"
#include "Picture.h"
#include "resource.h"
#include "TestFiles.h"
#include "WizardTesting.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr const char* DesktopKey = "Control Panel\\Desktop";
constexpr const char* ChildVariable = "NVN_EXPECTED_DPI";

// Sets the prefix's DPI for as long as it lives, then restores the old one.
class PrefixDpi {
  public:
    explicit PrefixDpi(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                                &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~PrefixDpi() {
        if (had_)
            Set(old_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    void Set(DWORD dpi) {
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }

  private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool had_ = false;
};

// Runs this program's child checks at the expected DPI; its exit code.
DWORD RunChild(int dpi) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command =
        std::string("\"") + self + "\" --gtest_filter=DisplayScaleChild.* --gtest_brief=1";
    SetEnvironmentVariableA(ChildVariable, std::to_string(dpi).c_str());
    const DWORD code = RunToEnd(command, 90000);
    SetEnvironmentVariableA(ChildVariable, nullptr);
    return code;
}

// A layout value at the DPI, computed independently of the program.
double At(int value, int dpi) {
    return value * dpi / 96.0;
}

void ExpectNear(int actual, int layout, int dpi, const std::string& what) {
    EXPECT_LE(std::abs(actual - At(layout, dpi)), 1.0)
        << what << ": " << actual << " for " << layout << " at " << dpi << " DPI";
}

// The size a label's text needs in its own font, wrapped at its width unless one line.
SIZE TextSize(HWND label, bool oneLine) {
    const std::string text = WindowText(label);
    RECT client = {};
    GetClientRect(label, &client);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, oneLine ? 0 : client.right, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_NOPREFIX | (oneLine ? DT_SINGLELINE : DT_WORDBREAK));
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return {needed.right, needed.bottom};
}

// The pixels of a bitmap, 32 bits each, top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// At the two scales it is drawn for, the background is that drawing itself.
void ExpectDrawnBackground(HBITMAP shown, int dpi) {
    if (dpi != 96 && dpi != 192)
        return;
    const std::string jpeg = LoadDataResource(dpi == 96 ? IDR_BACKGROUND : IDR_BACKGROUND_200);
    HBITMAP drawn = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(drawn, nullptr);
    EXPECT_TRUE(Pixels(shown) == Pixels(drawn)) << "the background drawn for " << dpi << " DPI";
    DeleteObject(drawn);
}

void CheckPage(Form& page, const char* name, int dpi) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(page.MakeWindow());
    EXPECT_EQ(page.Dpi(), dpi);
    RECT client = {};
    GetClientRect(page.Handle, &client);
    ExpectNear(client.right, PageClientWidth, dpi, "client width");
    ExpectNear(client.bottom, PageClientHeight, dpi, "client height");

    BITMAP picture = {};
    ASSERT_TRUE(GetObjectA(page.backgroundPicture, sizeof picture, &picture));
    EXPECT_GE(picture.bmWidth, client.right) << "the background is not stretched up";
    EXPECT_GE(picture.bmHeight, client.bottom);
    ExpectDrawnBackground(page.backgroundPicture, dpi);

    int controls = 0;
    for (HWND child = GetWindow(page.Handle, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const ControlDefinition* layout = page.LayoutOf(child);
        if (!layout)
            continue;
        ++controls;
        const std::string what = WindowText(child);
        RECT place = {};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, page.Handle, reinterpret_cast<POINT*>(&place), 2);
        ExpectNear(place.left, layout->Left, dpi, what + " left");
        ExpectNear(place.top, layout->Top, dpi, what + " top");
        if (!(layout->Flags & Flag::AutoSize)) {
            ExpectNear(place.right, layout->Left + layout->Width, dpi, what + " right");
            ExpectNear(place.bottom, layout->Top + layout->Height, dpi, what + " bottom");
        }
        LOGFONTA font = {};
        if (layout->Kind != ControlKind::RichText) // which does not tell its font
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
        if (layout->Kind != ControlKind::RichText)
            ExpectNear(std::abs(font.lfHeight), layout->Kind == ControlKind::Title ? 13 : 11, dpi,
                       what + " font");
        if (layout->Kind == ControlKind::Label || layout->Kind == ControlKind::Title) {
            const SIZE needed = TextSize(child, layout->Kind == ControlKind::Title ||
                                                    (layout->Flags & Flag::OneLine));
            EXPECT_LE(needed.cx, place.right - place.left) << what;
            EXPECT_LE(needed.cy, place.bottom - place.top) << what;
        }
        if (layout->Kind == ControlKind::ListView) {
            auto images =
                reinterpret_cast<HIMAGELIST>(SendMessageA(child, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
            int width = 0, height = 0;
            // Every list of the pages shows images.
            EXPECT_TRUE(images && ImageList_GetIconSize(images, &width, &height)) << what;
            ExpectNear(width, 16, dpi, "list images");
            ExpectNear(height, 16, dpi, "list images");
        }
    }
    EXPECT_GE(controls, 6) << "the title, the text and the three buttons at least";
}

} // namespace

TEST(DisplayScale, EveryPageScalesWithThePrefixDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        PrefixDpi prefix(static_cast<DWORD>(dpi));
        EXPECT_EQ(RunChild(dpi), 0u) << "the pages at " << dpi << " DPI";
    }
}

// The checks of one DPI, in the child process.
TEST(DisplayScaleChild, EveryPage) {
    const char* expected = std::getenv(ChildVariable);
    if (!expected)
        GTEST_SKIP() << "SKIPPED: runs as a child of DisplayScale tests";
    const int dpi = std::atoi(expected);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    UseCatalogue({{"Core Runtime"}, {"Chart Controls"}});
    {
        AllPages pages;
        const std::vector<Form*> all = pages.All();
        for (size_t i = 0; i < all.size(); ++i)
            CheckPage(*all[i], AllPages::Names[i], dpi);
    }
    ResetInstallSession();
    ReleaseArtwork();
}
