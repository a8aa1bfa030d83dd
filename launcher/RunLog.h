// The installer's own run log: plain-text lines, each with its local time,
// and the process id, appended to the file named on the command line. Writing never stops the
// installation: a log that cannot be written is silently left out.
#pragma once

#include <string>

// Names the log file (empty: no log). Its folder is created when missing.
// When the file cannot be opened for writing, the lines go to
// %TEMP%\Norvane-Setup.log instead, whose first line of this run says why.
void StartRunLog(const std::string& path);

// "error N: <the system's text for it>".
std::string WindowsErrorText(unsigned long error);

// Appends one line; nothing when no log is named or the file cannot be
// written.
void LogLine(const std::string& text);
