// Installing without the wizard: /quiet shows no window, /passive only the progress page, which
// closes by itself. Earlier products go without a question; the exit code tells the outcome.
#pragma once

#include "CommandLine.h"

#include <windows.h>
#include <msi.h>

// The options must be valid and unattended. Returns the exit code.
int RunUnattended(const CommandLineOptions& options);

class RecordedRows;

// The service's user-interface level of an unattended run, for removals and installations alike.
INSTALLUILEVEL ServiceLevel(const CommandLineOptions& options);

// From the rows, first match: 1602 a row cancelled, 1618 the service busy with another
// installation, 1603 a row failed, 3010 a restart needed (restart, or a row's result), else 0.
int RunExitCode(const RecordedRows& rows, bool restart);

// A /passive run's progress page, centred on the desktop, shown for the object's lifetime.
struct PageTexts;
struct PassivePage {
    // With other title and text (a removal's) when given.
    explicit PassivePage(const PageTexts* texts = nullptr);
    // Replaces the progress page by the modal completion page, at the same place.
    void ShowCompletion(const PageTexts& texts);
    ~PassivePage();
    PassivePage(const PassivePage&) = delete;
    PassivePage& operator=(const PassivePage&) = delete;
};
