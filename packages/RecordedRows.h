// The run's rows kept as plain data, for a run without a window or beside a page that shows
// them, so each row's outcome and the service's result can be reported afterwards.
#pragma once

#include "ProgressRows.h"

#include <optional>
#include <vector>

class RecordedRows : public ProgressRows {
  public:
    struct Row {
        ComponentEntry* Entry = nullptr;
        int Image = -1;
        std::string Status;
        std::optional<unsigned> Result; // none until the run has told it
        RowFacts Facts;
    };

    // One row per selected component, in catalogue order, as the progress page lists them.
    RecordedRows();
    // The rows of a page: every change is passed on to it as well.
    explicit RecordedRows(ProgressRows& shown);

    const std::vector<Row>& Rows() const { return rows_; }

    int RowCount() override;
    ComponentEntry& RowEntry(int row) override;
    void SetRowImage(int row, int imageIndex) override;
    void SetRowStatus(int row, const std::string& status) override;
    void MakeRowVisible(int row) override;
    void SetRowResult(int row, unsigned result) override;
    void SetRowFacts(int row, const RowFacts& facts) override;
    HWND OwnerWindow() override;
    void SetPackageProgress(int perMille) override;
    void SetCurrentAction(const std::string& description) override;
    void AllowCancel(bool allowed) override;
    bool ServeWaitingMessages() override;

  private:
    Row& At(int row);

    ProgressRows* shown_ = nullptr;
    std::vector<Row> rows_;
};
