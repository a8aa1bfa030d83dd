// Snapshots of the file system around a destination, to prove that nothing
// outside it was written: every file and folder with its size and write time.
#pragma once

#include <string>
#include <vector>

// The entries below folder, depth levels deep (1: the folder's own entries),
// leaving out the subtree at skip. Sorted; each entry is "path|size|time".
std::vector<std::string> Snapshot(const std::string& folder, int depth,
                                  const std::string& skip = "");

// The entries of after that are not in before, and those of before that are
// not in after: what was added, changed or removed.
std::vector<std::string> Differences(const std::vector<std::string>& before,
                                     const std::vector<std::string>& after);

// Removes a folder with everything in it, however long its paths: the ANSI
// file functions stop at 259 characters, the wide ones do not.
void RemoveLongTree(const std::string& folder);
