// The run log named by /log: lines stamped with local time and process id, appended. Writing
// never stops the installation: a log that cannot be written is left out silently.
#pragma once

#include <string>

// Names the log file (empty: no log), creating its folder. When it cannot be opened for writing,
// the lines go to %TEMP%\Norvane-Setup.log, whose first line of this run says why.
void StartRunLog(const std::string& path);

// "error N: <the system's text for it>".
std::string WindowsErrorText(unsigned long error);

// Appends one line; nothing when no log is named or the file cannot be written.
void LogLine(const std::string& text);
