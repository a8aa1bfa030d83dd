// What a user of a high-contrast scheme sees and what a screen reader says:
// every text of every page stands out from its background in the "High
// Contrast Black" scheme as in the normal one, and every control that takes
// the focus without a caption of its own has a name.
//
// The scheme is read by a program when it starts, so the high-contrast
// checks run in a child process started after the scheme has been put into
// the prefix's registry (tools/high-contrast-black.reg); the registry is put
// back afterwards. Wine never reports the high-contrast setting through
// SystemParametersInfo: the installer reads its stored value there.
//
// Names: Wine's accessibility layer reports every control as a bare client
// area and keeps no Dynamic Annotation, so what Windows would read is checked
// instead: the static label just before a control in z-order, or the name
// the page hands to the annotation (recorded through SetAccessibleName).
#include "AccessibleNames.h"
#include "Artwork.h"
#include "Contactinfo.h"
#include "Destination.h"
#include "Licenseagreement.h"
#include "Progress.h"
#include "Readytoinstall.h"
#include "Selection.h"
#include "Success.h"
#include "Welcome.h"
#include "TestFiles.h"
#include "UserInput.h"
#include "WizardTesting.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr const char* ChildVariable = "NVN_HIGH_CONTRAST_CHILD";

// Every value of a registry key, written back (and the key removed when it
// was not there) when the object goes.
class KeySnapshot {
  public:
    explicit KeySnapshot(const char* path) : path_(path) {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
        for (DWORD i = 0; existed_; ++i) {
            char name[256];
            BYTE data[1024];
            DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
            if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
                ERROR_SUCCESS)
                break;
            values_.push_back({name, type, std::string(reinterpret_cast<char*>(data), dataSize)});
        }
        if (key)
            RegCloseKey(key);
    }
    ~KeySnapshot() {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_);
        RegDeleteKeyA(HKEY_CURRENT_USER, path_);
        HKEY key = nullptr;
        if (!existed_ || RegCreateKeyExA(HKEY_CURRENT_USER, path_, 0, nullptr, 0, KEY_WRITE,
                                         nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        for (const Value& value : values_)
            RegSetValueExA(key, value.Name.c_str(), 0, value.Type,
                           reinterpret_cast<const BYTE*>(value.Data.data()),
                           static_cast<DWORD>(value.Data.size()));
        RegCloseKey(key);
    }

  private:
    struct Value {
        std::string Name;
        DWORD Type;
        std::string Data;
    };
    const char* path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

// All eight pages over a catalogue of two components, the second failed.
struct Pages {
    TfrmWelcome welcome;
    TfrmLicenseAgreement license;
    TfrmSelection selection;
    TfrmDestination destination;
    TfrmContactInfo contact;
    TfrmReadyToInstall ready;
    TfrmProgress progress;
    TfrmSuccess success;
    std::vector<std::pair<const char*, Form*>> All() {
        return {{"welcome", &welcome},         {"license", &license}, {"selection", &selection},
                {"destination", &destination}, {"contact", &contact}, {"ready", &ready},
                {"progress", &progress},       {"success", &success}};
    }
};

void PrepareSession() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    UseCatalogue({{"Core Runtime", true, true}, {"Chart Controls", true, false}});
}

double Luminance(COLORREF colour) {
    return 0.299 * GetRValue(colour) + 0.587 * GetGValue(colour) + 0.114 * GetBValue(colour);
}

// Where a control shows its text: its client area, without the mark of a
// radio button or check box (drawn in colours of the system's own) and, of a
// group box, only the caption (the list inside it is checked on its own).
RECT TextArea(HWND control, ControlKind kind) {
    RECT area;
    GetClientRect(control, &area);
    if (kind == ControlKind::RadioButton || kind == ControlKind::CheckBox)
        area.left = 16;
    if (kind == ControlKind::GroupBox) {
        const std::string text = WindowText(control);
        HDC dc = GetDC(control);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE size = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        area = {8, 0, 8 + size.cx, size.cy};
    }
    return area;
}

// The share of the pixels of a control's text area whose brightness is far
// from that of its most common colour, its background.
double ShareStandingOut(HWND control, ControlKind kind) {
    const RECT area = TextArea(control, kind);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(control);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(control, dc);
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : pixels)
        ++counts[pixel];
    const COLORREF background =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    const auto standing = std::count_if(pixels.begin(), pixels.end(), [&](COLORREF pixel) {
        return std::abs(Luminance(pixel) - Luminance(background)) >= 96;
    });
    return pixels.empty() ? 0 : static_cast<double>(standing) / pixels.size();
}

// The controls whose text the page draws in its own colours: labels with a
// text, radio buttons, check boxes, the group box, the lists and the
// agreement. Push buttons, edit boxes and bars are the system's.
bool ShowsText(const ControlDefinition& layout, HWND control) {
    switch (layout.Kind) {
    case ControlKind::Label:
    case ControlKind::Title:
        return !WindowText(control).empty();
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
    case ControlKind::ListView:
    case ControlKind::RichText:
        return true;
    default:
        return false;
    }
}

// What the page shows where the picture has its banner.
COLORREF BannerPixel(const Form& page) {
    HDC dc = GetDC(page.Handle);
    const COLORREF pixel = GetPixel(dc, 300, 40);
    ReleaseDC(page.Handle, dc);
    return pixel;
}

COLORREF PicturePixel(const Form& page) {
    HDC picture = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(picture, page.imgBackground);
    const COLORREF pixel = GetPixel(picture, 300, 40);
    SelectObject(picture, old);
    DeleteDC(picture);
    return pixel;
}

// Every text of every page readable in the current scheme; in high contrast
// the page shows the window colour where the picture's banner would be.
void CheckEveryTextStandsOut(bool highContrast) {
    PrepareSession();
    {
        Pages pages;
        for (auto [name, page] : pages.All()) {
            SCOPED_TRACE(name);
            page->Show();
            // Without the focus: its dotted frame is not text.
            SetFocus(nullptr);
            RedrawWindow(page->Handle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            for (HWND child = GetWindow(page->Handle, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                const ControlDefinition* layout = page->LayoutOf(child);
                if (!layout || !ShowsText(*layout, child))
                    continue;
                // Two short rows in the progress list cover 0.4 % of it;
                // text the colour of its background covers nothing.
                EXPECT_GE(ShareStandingOut(child, layout->Kind), 0.002)
                    << "unreadable: " << WindowText(child) << " (" << support::ClassOf(child)
                    << ")";
            }
            EXPECT_EQ(BannerPixel(*page),
                      highContrast ? GetSysColor(COLOR_WINDOW) : PicturePixel(*page));
            page->Hide();
        }
    }
    ResetInstallSession();
}

TEST(HighContrast, EveryTextStandsOutInTheNormalAndTheHighContrastScheme) {
    SCOPED_TRACE("normal scheme");
    CheckEveryTextStandsOut(false);

    // Pages that are open when the setting changes follow it at once.
    PrepareSession();
    TfrmWelcome open;
    TfrmSuccess other;
    open.Show();
    other.Show();
    {
        KeySnapshot colours("Control Panel\\Colors");
        KeySnapshot setting("Control Panel\\Accessibility\\HighContrast");
        ASSERT_EQ(
            RunToEnd("reg import \"" + TestProgramFolder() + "\\high-contrast-black.reg\"", 30000),
            0u);
        for (Form* page : {static_cast<Form*>(&open), static_cast<Form*>(&other)}) {
            SendMessageA(page->Handle, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            UpdateWindow(page->Handle);
        }
        EXPECT_EQ(BannerPixel(open), GetSysColor(COLOR_WINDOW)) << "switched on";
        EXPECT_EQ(BannerPixel(other), GetSysColor(COLOR_WINDOW)) << "switched on, second page";

        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        SetEnvironmentVariableA(ChildVariable, "1");
        EXPECT_EQ(RunToEnd(std::string("\"") + self +
                               "\" --gtest_filter=HighContrastChild.* --gtest_brief=1",
                           90000),
                  0u)
            << "the high-contrast scheme";
        SetEnvironmentVariableA(ChildVariable, nullptr);
    }
    SendMessageA(open.Handle, WM_SYSCOLORCHANGE, 0, 0);
    UpdateWindow(open.Handle);
    EXPECT_EQ(BannerPixel(open), PicturePixel(open)) << "switched off";
    ResetInstallSession();
}

// The high-contrast checks, in the child process.
TEST(HighContrastChild, EveryPage) {
    if (!std::getenv(ChildVariable))
        GTEST_SKIP() << "SKIPPED: runs as a child of HighContrast tests";
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "the scheme is not in place";
    CheckEveryTextStandsOut(true);
    ReleaseArtwork();
}

// ---- Names ----------------------------------------------------------------

std::map<HWND, std::string> annotated;

void RecordName(HWND control, const std::string& name) {
    annotated[control] = name;
}

// The name Windows gives a control: the annotation, else a button's caption
// without its access-key mark, else the text of a static label just before it
// in z-order.
std::string AccessibleName(HWND control) {
    if (annotated.count(control))
        return annotated[control];
    std::string own = WindowText(control);
    if (support::ClassOf(control) == "Button" && !own.empty()) {
        own.erase(std::remove(own.begin(), own.end(), '&'), own.end());
        return own;
    }
    HWND before = GetWindow(control, GW_HWNDPREV);
    return before && support::ClassOf(before) == "Static" ? WindowText(before) : "";
}

bool PickOtherFolder(std::string& folder, HWND, const std::string&) {
    folder = "D:\\Other Place";
    return true;
}

class AccessibleNames : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareSession();
        annotated.clear();
        SetAccessibleName = RecordName;
        BrowseDestinationFolder = PickOtherFolder;
    }
    void TearDown() override {
        SetAccessibleName = AnnotateAccessibleName;
        BrowseDestinationFolder = BrowseForFolder;
        ResetInstallSession();
    }
};

TEST_F(AccessibleNames, EveryFocusableControlWithoutACaptionIsNamed) {
    Pages pages;
    for (auto [name, page] : pages.All())
        page->Show();
    const std::string folder = WindowText(pages.destination.lblDestinationFolder);
    const std::map<HWND, std::string> expected = {
        {pages.license.rtbLicense, "Please read the following license agreement carefully:"},
        {pages.selection.lsvComponent, "Components"},
        {pages.destination.cmdChange, ChangeFolderName + folder},
        {pages.contact.txtFirstName, "First name"},
        {pages.contact.txtLastName, "Last name"},
        {pages.contact.txtEmail, "Email"},
        {pages.progress.lsvProgress, "Installation progress"},
        {pages.success.lsvComponents, "Installation summary"},
    };
    for (auto [name, page] : pages.All()) {
        SCOPED_TRACE(name);
        for (HWND child = GetWindow(page->Handle, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (!(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP))
                continue;
            const auto wanted = expected.find(child);
            if (wanted != expected.end())
                EXPECT_EQ(AccessibleName(child), wanted->second);
            else
                EXPECT_FALSE(AccessibleName(child).empty())
                    << support::ClassOf(child) << " " << WindowText(child) << " has no name";
        }
        page->Hide();
    }
    EXPECT_FALSE(folder.empty());

    // Change names the folder it leads to from, also after a change.
    pages.destination.cmdChangeClick();
    EXPECT_EQ(AccessibleName(pages.destination.cmdChange),
              std::string(ChangeFolderName) + "D:\\Other Place");
}

} // namespace
