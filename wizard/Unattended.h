// The installation without the wizard, for deployment tools: /quiet shows no
// window at all, /passive only the progress page, which closes by itself.
// Earlier products are removed without a question; the exit code tells the
// outcome (ExitCodes in CommandLine.h).
#pragma once

#include "CommandLine.h"

// The options must be valid and unattended. Returns the exit code.
int RunUnattended(const CommandLineOptions& options);
