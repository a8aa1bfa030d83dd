#include "FakeProgressRows.h"

FakeProgressRows::FakeProgressRows() {
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
        if (InstallSession.Components[i].Selected)
            Entries.push_back(&InstallSession.Components[i]);
    Images.assign(Entries.size(), -1);
    Statuses.assign(Entries.size(), "");
}

int FakeProgressRows::RowCount() {
    Calls.push_back("count");
    return static_cast<int>(Entries.size());
}

ComponentEntry& FakeProgressRows::RowEntry(int row) {
    return *Entries.at(row);
}

void FakeProgressRows::SetRowImage(int row, int imageIndex) {
    Calls.push_back("image " + std::to_string(row) + " " + std::to_string(imageIndex));
    Grow(row);
    Images[row] = imageIndex;
}

void FakeProgressRows::SetRowStatus(int row, const std::string& status) {
    Calls.push_back("status " + std::to_string(row) + " " + status);
    Grow(row);
    Statuses[row] = status;
}

void FakeProgressRows::MakeRowVisible(int row) {
    Calls.push_back("visible " + std::to_string(row));
}

void FakeProgressRows::SetPackageProgress(int perMille) {
    Shown.push_back(std::to_string(perMille));
}

void FakeProgressRows::SetCurrentAction(const std::string& description) {
    Shown.push_back("action " + description);
}

void FakeProgressRows::AllowCancel(bool allowed) {
    Shown.push_back(allowed ? "cancel 1" : "cancel 0");
}

bool FakeProgressRows::ServeWaitingMessages() {
    return CancelOnRow >= 0 && CancelOnRow < static_cast<int>(Images.size()) &&
           Images[CancelOnRow] == 0;
}

void FakeProgressRows::Grow(int row) {
    if (static_cast<size_t>(row) >= Images.size()) {
        Images.resize(row + 1, -1);
        Statuses.resize(row + 1);
    }
}

void SetSessionComponents(const std::vector<ComponentEntry>& entries) {
    InstallSession.Components = std::make_unique<ComponentEntry[]>(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        InstallSession.Components[i] = entries[i];
    InstallSession.ComponentCount = static_cast<int32_t>(entries.size());
}

ComponentEntry SelectedComponent(const std::string& description, const std::string& msiFileName,
                                 bool subFolder) {
    ComponentEntry entry;
    entry.Description = description;
    entry.MSIFileName = msiFileName;
    entry.Selected = true;
    entry.SetupFileSubFolder = subFolder;
    return entry;
}
