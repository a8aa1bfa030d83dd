// What a high-contrast user sees and a screen reader says. A program reads the colour scheme
// at start, so the "High Contrast Black" checks run in a child started after
// tools/high-contrast-black.reg is in the prefix. Wine gives no per-control accessible names
// nor annotations, so names are checked as Windows finds them: the static label just before a
// control in z-order, or the name the page hands to SetAccessibleName (recorded here).
#include "AccessibleNames.h"
#include "AllPages.h"
#include "BrowseForFolder.h"
#include "TestFiles.h"
#include "UserInput.h"
#include "WizardTesting.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

constexpr const char* ChildVariable = "NVN_HIGH_CONTRAST_CHILD";

// The .reg file's scheme while alive; then the old colours and no high-contrast setting (a new
// prefix has none).
struct HighContrastScheme {
    ScratchFolder scratch;
    std::string saved = scratch / "colours.reg";
    HighContrastScheme() {
        RunToEnd("reg export \"HKCU\\Control Panel\\Colors\" \"" + saved + "\" /y", 30000);
        EXPECT_EQ(
            RunToEnd("reg import \"" + TestProgramFolder() + "\\high-contrast-black.reg\"", 30000),
            0u);
    }
    ~HighContrastScheme() {
        RunToEnd("reg delete \"HKCU\\Control Panel\\Accessibility\\HighContrast\" /f", 30000);
        RunToEnd("reg delete \"HKCU\\Control Panel\\Colors\" /f", 30000);
        RunToEnd("reg import \"" + saved + "\"", 30000);
    }
};

void PrepareSession() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    UseCatalogue({{"Core Runtime", true, true}, {"Chart Controls", true, false}});
}

// Controls whose text the page draws in its own colours (push buttons, edit boxes and bars are
// the system's); labels only while they have a text.
bool ShowsText(const ControlDefinition& layout, HWND control) {
    using enum ControlKind;
    const ControlKind kind = layout.Kind;
    return kind == RadioButton || kind == CheckBox || kind == GroupBox || kind == ListView ||
           kind == RichText || ((kind == Label || kind == Title) && !WindowText(control).empty());
}

double Luminance(COLORREF colour) {
    return 0.299 * GetRValue(colour) + 0.587 * GetGValue(colour) + 0.114 * GetBValue(colour);
}

// The share of the pixels of a control's text whose brightness is far from its most common
// colour, the background. Left out: a radio button's or check box's mark (the system's colours)
// and all of a group box but its caption's start (the list inside is checked on its own).
double ShareStandingOut(HWND control, ControlKind kind) {
    RECT area;
    GetClientRect(control, &area);
    if (kind == ControlKind::RadioButton || kind == ControlKind::CheckBox)
        area.left = 16;
    if (kind == ControlKind::GroupBox)
        area = {8, 0, 108, 12};
    std::vector<COLORREF> pixels;
    std::map<COLORREF, int> counts;
    HDC dc = GetDC(control);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ++counts[pixels.emplace_back(GetPixel(dc, x, y))];
    ReleaseDC(control, dc);
    const COLORREF background = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                    return a.second < b.second;
                                })->first;
    const auto standing = std::count_if(pixels.begin(), pixels.end(), [&](COLORREF pixel) {
        return std::abs(Luminance(pixel) - Luminance(background)) >= 96;
    });
    return static_cast<double>(standing) / std::max<size_t>(pixels.size(), 1);
}

// What the page shows, or its picture holds, where the picture has its banner.
COLORREF BannerPixel(const Form& page, bool picture = false) {
    HDC dc = picture ? CreateCompatibleDC(nullptr) : GetDC(page.Handle);
    HGDIOBJ old = picture ? SelectObject(dc, page.backgroundPicture) : nullptr;
    const COLORREF pixel = GetPixel(dc, 300, 40);
    if (picture) {
        SelectObject(dc, old);
        DeleteDC(dc);
    } else {
        ReleaseDC(page.Handle, dc);
    }
    return pixel;
}

// Every text of every page stands out in the current scheme; in high contrast the page shows
// the window colour where the picture would be.
void CheckEveryTextStandsOut(bool highContrast) {
    PrepareSession();
    AllPages pages;
    for (Form* page : pages.All()) {
        page->Show();
        SetFocus(nullptr); // its dotted frame is not text
        RedrawWindow(page->Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (HWND child = GetWindow(page->Handle, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const ControlDefinition* layout = page->LayoutOf(child);
            // Two short rows cover 0.4 % of the progress list; text the colour of its
            // background covers nothing.
            if (layout && ShowsText(*layout, child)) {
                EXPECT_GE(ShareStandingOut(child, layout->Kind), 0.002)
                    << "unreadable: " << WindowText(child) << " (" << support::ClassOf(child)
                    << ")";
            }
        }
        EXPECT_EQ(BannerPixel(*page),
                  highContrast ? GetSysColor(COLOR_WINDOW) : BannerPixel(*page, true))
            << WindowText(page->Handle);
        page->Hide();
    }
}

TEST(HighContrast, EveryTextStandsOutInTheNormalAndTheHighContrastScheme) {
    CheckEveryTextStandsOut(false);
    // Pages that are open when the setting changes follow it at once.
    PrepareSession();
    WelcomePage first;
    CompletionPage second;
    first.Show();
    second.Show();
    {
        HighContrastScheme scheme;
        for (Form* page : {static_cast<Form*>(&first), static_cast<Form*>(&second)}) {
            SendMessageA(page->Handle, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            UpdateWindow(page->Handle);
            EXPECT_EQ(BannerPixel(*page), GetSysColor(COLOR_WINDOW))
                << "switched on: " << WindowText(page->Handle);
        }

        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        SetEnvironmentVariableA(ChildVariable, "1");
        EXPECT_EQ(
            RunToEnd(std::string("\"") + self + "\" --gtest_filter=HighContrastChild.*", 90000), 0u)
            << "the high-contrast scheme";
        SetEnvironmentVariableA(ChildVariable, nullptr);
    }
    SendMessageA(first.Handle, WM_SYSCOLORCHANGE, 0, 0);
    UpdateWindow(first.Handle);
    EXPECT_EQ(BannerPixel(first), BannerPixel(first, true)) << "switched off";
}

TEST(HighContrastChild, EveryPage) {
    if (!std::getenv(ChildVariable))
        GTEST_SKIP() << "SKIPPED: runs as a child of HighContrast tests";
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "the scheme is not in place";
    CheckEveryTextStandsOut(true);
}

// ---- Names ----------------------------------------------------------------

std::map<HWND, std::string> annotated;

// The name Windows gives a control: the annotation, else a button's caption without its
// access-key mark, else the text of a static label just before it.
std::string AccessibleName(HWND control) {
    if (annotated.count(control))
        return annotated[control];
    std::string own = WindowText(control);
    if (support::ClassOf(control) == "Button") {
        own.erase(std::remove(own.begin(), own.end(), '&'), own.end());
        return own;
    }
    HWND before = GetWindow(control, GW_HWNDPREV);
    return before && support::ClassOf(before) == "Static" ? WindowText(before) : "";
}

TEST(AccessibleNames, EveryFocusableControlWithoutACaptionIsNamed) {
    PrepareSession();
    annotated.clear();
    SetAccessibleName = [](HWND control, const std::string& name) { annotated[control] = name; };
    BrowseDestinationFolder = [](std::string& folder, HWND, const std::string&) {
        folder = "D:\\Other Place";
        return true;
    };
    {
        AllPages pages;
        for (Form* page : pages.All())
            page->Show();
        const std::string folder = WindowText(pages.destination.folderText);
        const std::map<HWND, std::string> expected = {
            {pages.license.agreementText, "Please read the following license agreement carefully:"},
            {pages.selection.componentList, "Components"},
            {pages.destination.changeButton, ChangeFolderName + folder},
            {pages.contact.firstNameBox, "First name"},
            {pages.contact.lastNameBox, "Last name"},
            {pages.contact.emailBox, "Email"},
            {pages.progress.progressList, "Installation progress"},
            {pages.success.summaryList, "Installation summary"},
            {pages.progress.packageBar, "Package progress"},
        };
        for (const auto& [control, name] : expected)
            EXPECT_EQ(AccessibleName(control), name);
        for (Form* page : pages.All())
            for (HWND child = GetWindow(page->Handle, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) {
                    EXPECT_FALSE(AccessibleName(child).empty()) << support::ClassOf(child);
                }
        EXPECT_FALSE(folder.empty());
        // Change names the shown folder also after a change.
        pages.destination.OnChange();
        EXPECT_EQ(AccessibleName(pages.destination.changeButton),
                  std::string(ChangeFolderName) + "D:\\Other Place");
    }
    SetAccessibleName = AnnotateAccessibleName;
    BrowseDestinationFolder = BrowseForFolder;
    ResetInstallSession();
}

} // namespace
