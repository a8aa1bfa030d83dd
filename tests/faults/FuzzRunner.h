// One generated configuration file through the loader and the selection page, with checks.
#pragma once

#include <string>

class SelectionPage;

// Dates the file back an hour plus serial seconds, as a distribution's file is: the profile
// functions reread a file changed in the last seconds at every call, and a distinct time per
// serial keeps a rewritten file from being taken for the one read before.
void DateBack(const std::string& path, long serial);

// Loads the file into a fresh session, fills the page, checks catalogue and rows, then frees
// all; returns what was wrong, or empty.
std::string LoadAndShow(const std::string& file, SelectionPage& page);

// The common controls the page needs, once per process.
void InitPageControls();
