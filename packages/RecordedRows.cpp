// Rows of the installation run kept as plain data.
#include "RecordedRows.h"

#include <stdexcept>

RecordedRows::RecordedRows() {
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i)
        if (InstallSession.Components[i].Selected) {
            Row row;
            row.Entry = &InstallSession.Components[i];
            rows_.push_back(row);
        }
}

RecordedRows::RecordedRows(ProgressRows& shown) : shown_(&shown) {}

RecordedRows::Row& RecordedRows::At(int row) {
    if (row < 0)
        throw std::out_of_range("No row " + std::to_string(row) + ".");
    // The page's rows are taken as the run reaches them.
    if (shown_ && static_cast<size_t>(row) >= rows_.size() && row < shown_->RowCount())
        rows_.resize(row + 1);
    if (static_cast<size_t>(row) >= rows_.size())
        throw std::out_of_range("No row " + std::to_string(row) + ".");
    Row& recorded = rows_[row];
    if (shown_ && !recorded.Entry)
        recorded.Entry = &shown_->RowEntry(row);
    return recorded;
}

int RecordedRows::RowCount() {
    return shown_ ? shown_->RowCount() : static_cast<int>(rows_.size());
}

ComponentEntry& RecordedRows::RowEntry(int row) {
    return *At(row).Entry;
}

void RecordedRows::SetRowImage(int row, int imageIndex) {
    At(row).Image = imageIndex;
    if (shown_)
        shown_->SetRowImage(row, imageIndex);
}

void RecordedRows::SetRowStatus(int row, const std::string& status) {
    At(row).Status = status;
    if (shown_)
        shown_->SetRowStatus(row, status);
}

void RecordedRows::MakeRowVisible(int row) {
    At(row);
    if (shown_)
        shown_->MakeRowVisible(row);
}

void RecordedRows::SetRowResult(int row, unsigned result) {
    At(row).Result = result;
    if (shown_)
        shown_->SetRowResult(row, result);
}

HWND RecordedRows::OwnerWindow() {
    return shown_ ? shown_->OwnerWindow() : nullptr;
}

void RecordedRows::SetPackageProgress(int perMille) {
    if (shown_)
        shown_->SetPackageProgress(perMille);
}

void RecordedRows::SetCurrentAction(const std::string& description) {
    if (shown_)
        shown_->SetCurrentAction(description);
}

void RecordedRows::AllowCancel(bool allowed) {
    if (shown_)
        shown_->AllowCancel(allowed);
}

bool RecordedRows::ServeWaitingMessages() {
    return shown_ && shown_->ServeWaitingMessages();
}
