// Writing the distribution check's report as every /log file is written:
// appended, its folder created when missing.
#pragma once

#include <string>

// False when the folder cannot be made or the whole text cannot be written.
bool AppendReport(const std::string& path, const std::string& text);
