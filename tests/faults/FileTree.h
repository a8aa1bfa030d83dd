// File system snapshots around a destination, to prove nothing outside it was written.
#pragma once

#include <string>
#include <vector>

// The entries below folder, depth levels deep (1: the folder's own entries),
// leaving out the subtree at skip. Sorted; each entry is "path|size|time".
std::vector<std::string> Snapshot(const std::string& folder, int depth,
                                  const std::string& skip = "");

// What was added, changed or removed: the entries in only one of before and after.
std::vector<std::string> Differences(const std::vector<std::string>& before,
                                     const std::vector<std::string>& after);

// Removes a folder tree however long its paths (the ANSI file functions stop at 259).
void RemoveLongTree(const std::string& folder);
