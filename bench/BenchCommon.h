// Timing and reporting shared by the benchmark programs. Each program prints
// rows of one markdown table: figure, ours, baseline, ratio, goal, met.
#pragma once

#include <string>
#include <vector>

// Seconds from an arbitrary start, read from the performance counter.
double Seconds();

// The median of the values (the mean of the middle two for an even count).
double Median(std::vector<double> values);

// "123.4 ms", "1.234 s", "512.0 MB/s".
std::string FormatMilliseconds(double seconds);
std::string FormatSeconds(double seconds);
std::string FormatRate(double bytesPerSecond);
std::string FormatRatio(double ratio);

void PrintRow(const std::string& figure, const std::string& ours, const std::string& baseline,
              const std::string& ratio, const std::string& goal, bool met);

// A folder under the temporary folder for one benchmark, emptied first.
std::string FreshBenchFolder(const std::string& name);

// Removes a folder with everything in it.
void RemoveFolderTree(const std::string& path);

void WriteWholeFile(const std::string& path, const std::string& contents);
