// The installation without the wizard, for deployment tools: /quiet shows no
// window at all, /passive only the progress page, which closes by itself.
// Earlier products are removed without a question; the exit code tells the
// outcome (ExitCodes in CommandLine.h).
#pragma once

#include "CommandLine.h"

#include <windows.h>
#include <msi.h>

// The options must be valid and unattended. Returns the exit code.
int RunUnattended(const CommandLineOptions& options);

class RecordedRows;

// The service's user-interface level of an unattended run, for removals and
// installations alike.
INSTALLUILEVEL ServiceLevel(const CommandLineOptions& options);

// The exit code of a run from its rows: 1618 when the service was busy with
// another installation, 1603 when a row failed, 3010 when a restart is
// needed (restart, or a row's result), else 0.
int RunExitCode(const RecordedRows& rows, bool restart);

// The progress page of a /passive run, centred on the desktop, shown for the
// object's lifetime.
struct PageTexts;
struct PassivePage {
    // With other title and text (a removal's) when given.
    explicit PassivePage(const PageTexts* texts = nullptr);
    // Closes the progress page and shows the completion page, modally, where
    // it stood, with the given texts.
    void ShowCompletion(const PageTexts& texts);
    ~PassivePage();
    PassivePage(const PassivePage&) = delete;
    PassivePage& operator=(const PassivePage&) = delete;
};
