// Loading one generated configuration file the way the installer does, and
// showing it on the selection page, with the checks every file must pass.
#pragma once

#include <string>

class SelectionPage;

// Dates the file back by an hour plus serial seconds: a distribution's file
// is old, and the profile functions read a file changed within the last
// seconds anew at every call. Each serial gives a different time, so a
// rewritten file is never taken for the one read before.
void DateBack(const std::string& path, long serial);

// Loads the file into a fresh session, fills the page, checks the catalogue
// and the rows, and frees everything again. Empty when all was well, else what
// was wrong.
std::string LoadAndShow(const std::string& file, SelectionPage& page);

// The common controls the page needs, once per process.
void InitPageControls();
