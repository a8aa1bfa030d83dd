// Test stand-ins for the progress page and the session catalogue.
#pragma once

#include "ProgressRows.h"

#include <string>
#include <vector>

// The installation run's view of the progress page, recording every call.
class FakeProgressRows : public ProgressRows {
  public:
    // One row per selected session component, in catalogue order, as the progress page lists them.
    FakeProgressRows();

    int RowCount() override;
    ComponentEntry& RowEntry(int row) override;
    void SetRowImage(int row, int imageIndex) override;
    void SetRowStatus(int row, const std::string& status) override;
    void MakeRowVisible(int row) override;
    void SetPackageProgress(int perMille) override;
    void SetCurrentAction(const std::string& description) override;
    bool ServeWaitingMessages() override;
    void AllowCancel(bool allowed) override;
    HWND OwnerWindow() override { return Owner; }

    std::vector<ComponentEntry*> Entries;
    // "count", "image <row> <index>", "status <row> <text>", "visible <row>".
    std::vector<std::string> Calls;
    // What each row shows now.
    std::vector<int> Images;
    std::vector<std::string> Statuses;
    // Shown while installing: "<per mille>" per bar position, "action <text>" per action line,
    // "cancel <0|1>" per change of whether Cancel can be pressed.
    std::vector<std::string> Shown;
    // The user confirms Cancel when the page is served while this row installs; -1: never.
    int CancelOnRow = -1;
    // The page's window, owner of the service's boxes.
    HWND Owner = nullptr;

  private:
    void Grow(int row);
};

// Puts these entries into the session catalogue, replacing any earlier one.
void SetSessionComponents(const std::vector<ComponentEntry>& entries);

// A selected component.
ComponentEntry SelectedComponent(const std::string& description, const std::string& msiFileName,
                                 bool subFolder = false);
