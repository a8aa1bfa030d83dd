// Test stand-ins for the progress page and the session catalogue.
#pragma once

#include "ProgressRows.h"

#include <string>
#include <vector>

// The installation run's view of the progress page, recording every call.
class FakeProgressRows : public ProgressRows {
  public:
    // One row per selected component of the session, in catalogue order, as
    // the progress page lists them.
    FakeProgressRows();

    int RowCount() override;
    ComponentEntry& RowEntry(int row) override;
    void SetRowImage(int row, int imageIndex) override;
    void SetRowStatus(int row, const std::string& status) override;
    void MakeRowVisible(int row) override;

    std::vector<ComponentEntry*> Entries;
    // "count", "image <row> <index>", "status <row> <text>", "visible <row>".
    std::vector<std::string> Calls;
    // What each row shows now.
    std::vector<int> Images;
    std::vector<std::string> Statuses;

  private:
    void Grow(int row);
};

// Puts these entries into the session catalogue, replacing any earlier one.
void SetSessionComponents(const std::vector<ComponentEntry>& entries);

// A selected component.
ComponentEntry SelectedComponent(const std::string& description, const std::string& msiFileName,
                                 bool subFolder = false);
