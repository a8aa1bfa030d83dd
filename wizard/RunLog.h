// The installer's own run log: plain-text lines, each with its local time,
// appended to the file named on the command line. Writing never stops the
// installation: a log that cannot be written is silently left out.
#pragma once

#include <string>

// Names the log file (empty: no log). Its folder is created when missing.
void StartRunLog(const std::string& path);

// Appends one line; nothing when no log is named or the file cannot be
// written.
void LogLine(const std::string& text);
