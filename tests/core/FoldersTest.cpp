// Folder rules on the real (Wine) file system, registry and volumes.
#include "BrowseForFolder.h"
#include "Folders.h"
#include "Session.h"
#include "SessionReset.h"
#include "TestFiles.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(AddTrailingBackslash, AddsOnlyWhenMissing) {
    const std::pair<std::string, std::string> cases[] = {{"C:\\Apps", "C:\\Apps\\"},
                                                         {"C:\\", "C:\\"},
                                                         {"", "\\"},
                                                         {"C:/Apps/", "C:/Apps/\\"},
                                                         {"\\", "\\"}};
    for (const auto& [given, expected] : cases) {
        std::string text = given;
        AddTrailingBackslash(text);
        EXPECT_EQ(text, expected) << given;
    }
}

TEST(CreateFolderPath, CreatesEveryMissingParent) {
    ScratchFolder root;
    EXPECT_TRUE(CreateFolderPath(root / "A\\B\\C"));
    EXPECT_TRUE(FolderIsThere(root / "A"));
    EXPECT_TRUE(FolderIsThere(root / "A\\B\\C"));
    // With a trailing separator and with forward slashes as well.
    EXPECT_TRUE(CreateFolderPath(root / "D\\E\\"));
    EXPECT_TRUE(FolderIsThere(root / "D\\E"));
    EXPECT_TRUE(CreateFolderPath(root / "F/G/H"));
    EXPECT_TRUE(FolderIsThere(root / "F\\G\\H"));
    // An existing folder is fine.
    EXPECT_TRUE(CreateFolderPath(root / "A\\B"));
    EXPECT_TRUE(CreateFolderPath(root.Path()));
}

TEST(CreateFolderPath, AFileInTheWayIsNoFolder) {
    ScratchFolder root;
    WriteTextFile(root / "File", "x");
    EXPECT_FALSE(CreateFolderPath(root / "File"));
    EXPECT_FALSE(CreateFolderPath(root / "File\\Below\\Deeper"));
    EXPECT_TRUE(FileIsThere(root / "File"));
}

TEST(CreateFolderPath, RefusesWhatCannotBeAFolder) {
    ScratchFolder root;
    EXPECT_FALSE(CreateFolderPath(""));
    // A drive that does not exist: nothing to create it under.
    EXPECT_FALSE(CreateFolderPath("Q:\\Nowhere\\Below"));
    // Past the 259 characters a path may have: refused whole, never cut short and created.
    const std::string tooLong = root / (std::string(120, 'a') + "\\" + std::string(150, 'b'));
    ASSERT_GT(tooLong.size(), 259u);
    EXPECT_FALSE(CreateFolderPath(tooLong));
    EXPECT_FALSE(FolderIsThere(root / std::string(120, 'a')));
    // 259 characters: Windows refuses ANSI folder paths past 248, Wine creates them; either
    // way the result tells the truth and no other folder appears.
    std::string longest = root / "x";
    longest += std::string(259 - longest.size(), 'c');
    ASSERT_EQ(longest.size(), 259u);
    const bool created = CreateFolderPath(longest);
    EXPECT_EQ(created, FolderIsThere(longest)) << longest;
    std::vector<std::string> names;
    ForEachEntry(root.Path(),
                 [&](const WIN32_FIND_DATAA& found) { names.push_back(found.cFileName); });
    EXPECT_EQ(names, created ? std::vector<std::string>{longest.substr(root.Path().size() + 1)}
                             : std::vector<std::string>{});
}

TEST(DrivePart, DriveLetterOrShare) {
    EXPECT_EQ(DrivePart("C:\\Program Files\\Norvane Components"), "C:");
    EXPECT_EQ(DrivePart("d:"), "d:");
    EXPECT_EQ(DrivePart("\\\\server\\share\\Norvane"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\server"), "\\\\server");
    EXPECT_EQ(DrivePart("\\Apps"), "");
    EXPECT_EQ(DrivePart("Apps"), "");
    EXPECT_EQ(DrivePart(""), "");
}

// The free-space check against scripted volume figures.
class DiskSpace : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetInstallSession();
        QueryVolumeFreeBytes = &Scripted;
        queriedRoot = "(not queried)";
    }
    void TearDown() override {
        QueryVolumeFreeBytes = PlatformVolumeFreeBytes;
        ResetInstallSession();
    }
    static void Catalogue(std::initializer_list<std::pair<int64_t, bool>> sizes) {
        InstallSession.Components = std::make_unique<ComponentEntry[]>(sizes.size());
        InstallSession.ComponentCount = static_cast<int32_t>(sizes.size());
        int i = 0;
        for (auto [size, selected] : sizes) {
            InstallSession.Components[i].Size = size;
            InstallSession.Components[i++].Selected = selected;
        }
    }
    static bool Scripted(const char* root, uint64_t* freeBytes) {
        queriedRoot = root ? root : "(null)";
        *freeBytes = scriptedFree;
        return scriptedOk;
    }
    static inline std::string queriedRoot;
    static inline uint64_t scriptedFree = 0;
    static inline bool scriptedOk = true;
};

TEST_F(DiskSpace, ExactlyTheNeededKilobytesAreEnough) {
    SetDestinationFolder("C:\\Apps\\Norvane");
    Catalogue({{3000, true}, {2000, true}, {999999, false}});
    scriptedOk = true;
    scriptedFree = 5000 * 1000;
    EXPECT_TRUE(HasEnoughDiskSpace());
    EXPECT_EQ(queriedRoot, "C:\\");
    scriptedFree = 5000 * 1000 - 1;
    EXPECT_FALSE(HasEnoughDiskSpace());
}

TEST_F(DiskSpace, NothingSelectedIsAlwaysEnough) {
    SetDestinationFolder("C:\\Apps");
    Catalogue({{10, false}});
    scriptedOk = false;
    scriptedFree = 123456789;
    EXPECT_TRUE(HasEnoughDiskSpace());
    // A failed query counts as no free space at all.
    Catalogue({{1, true}});
    EXPECT_FALSE(HasEnoughDiskSpace());
}

TEST_F(DiskSpace, ShareIsMeasuredOnTheShare) {
    SetDestinationFolder("\\\\server\\share\\Norvane Components");
    Catalogue({{1, true}});
    scriptedOk = true;
    scriptedFree = 1000;
    EXPECT_TRUE(HasEnoughDiskSpace());
    EXPECT_EQ(queriedRoot, "\\\\server\\share\\");
}

TEST_F(DiskSpace, DefaultDestinationIsFilledIn) {
    Catalogue({{1, true}});
    scriptedFree = 1000;
    EXPECT_TRUE(HasEnoughDiskSpace());
    EXPECT_EQ(InstallSession.DestinationFolder, GetProgramFilesFolder() + "\\Norvane Components");
}

TEST_F(DiskSpace, HugeSizesDoNotWrapAround) {
    SetDestinationFolder("C:\\Apps");
    Catalogue({{INT64_MAX, true}, {INT64_MAX, true}});
    scriptedFree = UINT64_MAX;
    EXPECT_FALSE(HasEnoughDiskSpace());
    Catalogue({{-5, true}});
    scriptedFree = 0;
    EXPECT_TRUE(HasEnoughDiskSpace());
}

TEST_F(DiskSpace, RealVolumeOfTheSystemDrive) {
    QueryVolumeFreeBytes = PlatformVolumeFreeBytes;
    uint64_t freeBytes = 0;
    ASSERT_TRUE(PlatformVolumeFreeBytes("C:\\", &freeBytes));
    ASSERT_GT(freeBytes, 2000u * 1000);
    SetDestinationFolder("C:\\Norvane Test");
    Catalogue({{1000, true}});
    EXPECT_TRUE(HasEnoughDiskSpace());
    Catalogue({{static_cast<int64_t>(freeBytes / 1000) + 1000, true}});
    EXPECT_FALSE(HasEnoughDiskSpace());
}

// The folder browser is a real shell dialog; a second thread answers it.
HWND FindBrowser(DWORD threadId) {
    HWND found = nullptr;
    support::WaitFor(10000, [&] {
        return (found = support::FindTopLevel({0, threadId, support::DialogClass, "", ""})) !=
               nullptr;
    });
    return found;
}

// The browser's edit box names the selected folder; a user presses OK once it shows theirs.
bool BrowserShows(HWND browser, const char* name) {
    struct Search {
        const char* name;
        bool found;
    } search{name, false};
    EnumChildWindows(
        browser,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            char className[16] = {}, text[MAX_PATH] = {};
            GetClassNameA(child, className, sizeof className);
            GetWindowTextA(child, text, sizeof text);
            search->found = _stricmp(className, "Edit") == 0 && strcmp(text, search->name) == 0;
            return !search->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A browser that never shows fails the test; the thread's windows are cancelled, not left hanging.
void AnswerBrowser(DWORD threadId, WPARAM command, const char* waitFor) {
    HWND browser = FindBrowser(threadId);
    if (!browser) {
        ADD_FAILURE() << "the folder browser never appeared";
        EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM) -> BOOL {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            },
            0);
        return;
    }
    for (int i = 0; waitFor && i < 250 && !BrowserShows(browser, waitFor); ++i)
        Sleep(20);
    PostMessageA(browser, WM_COMMAND, command, 0);
}

TEST(BrowseForFolder, ConfirmingReturnsTheInitialSelection) {
    // Outside the user's profile, which the browser also lists at the top.
    const std::string root = "C:\\nvn-browse-" + std::to_string(GetCurrentProcessId());
    CreateFolderPath(root + "\\Chosen");
    std::string folder = root + "\\Chosen";
    std::thread answer(AnswerBrowser, GetCurrentThreadId(), IDOK, "Chosen");
    const bool picked = BrowseForFolder(folder, nullptr, "Select the destination directory.");
    answer.join();
    RemoveTree(root);
    EXPECT_TRUE(picked);
    EXPECT_EQ(folder, root + "\\Chosen");
}

TEST(BrowseForFolder, CancellingLeavesTheFolder) {
    std::string folder = "C:\\windows";
    std::thread answer(AnswerBrowser, GetCurrentThreadId(), IDCANCEL, nullptr);
    EXPECT_FALSE(BrowseForFolder(folder, nullptr, "Select the destination directory."));
    answer.join();
    EXPECT_EQ(folder, "C:\\windows");
}

} // namespace
