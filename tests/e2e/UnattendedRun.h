// Setup.exe run as a deployment tool runs it: to its end, watching its windows, with its log.
#pragma once

#include "Driver.h"
#include "ScenarioPackages.h"
#include "TestFiles.h"

#include <memory>
#include <string>

namespace e2e {

inline const char* const ProgressTitle = "Installing Norvane Components";
inline const char* const CompletionTitle = "Installation complete";

struct WindowSearch {
    DWORD processId;
    bool found;
};

// True when the process shows any window now.
inline bool ShowsAWindow(DWORD processId) {
    WindowSearch search{processId, false};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<WindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId && IsWindowVisible(window))
                search->found = true;
            return !search->found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Unattended : public DistributionTest {
  protected:
    // Runs Setup.exe with the arguments to its end, noting the windows it shows; a box waiting
    // for a click keeps it from ending, and the wait fails.
    DWORD Run(const std::string& arguments) { return RunIn(dist_.Path(), arguments); }
    // The same for the Setup.exe in another folder (a copy in SetupFiles).
    DWORD RunIn(const std::string& folder, const std::string& arguments) {
        setup_ = std::make_unique<SetupProcess>(folder, programFiles_, arguments);
        const DWORD start = GetTickCount();
        while (!setup_->HasExited()) {
            windowSeen_ = windowSeen_ || ShowsAWindow(setup_->Id());
            progressSeen_ = progressSeen_ ||
                            FindTopLevel(setup_->Id(), InstallerCaption, ProgressTitle) != nullptr;
            completionSeen_ = completionSeen_ || CurrentPageTitle(setup_->Id()) == CompletionTitle;
            if (GetTickCount() - start > 90000)
                break;
            Sleep(5);
        }
        return setup_->WaitForExit(1000);
    }
    std::string Quiet(const std::string& more) {
        return "/quiet /acceptlicense /log \"" + log_ + "\" " + more;
    }
    std::string Log() const { return ReadTextFile(log_); }
    bool LogSays(const std::string& text) const { return Log().find(text) != std::string::npos; }

    static constexpr const char* InstallerCaption = "Norvane Component Installer";
    std::string dest_ = dist_ / "Agents\\Norvane";
    std::string log_ = dist_ / "Agents\\install.log";
    bool windowSeen_ = false;
    bool progressSeen_ = false;
    bool completionSeen_ = false;
};

} // namespace e2e
