// Timing, formatting and scratch folders for the benchmark programs.
#include "BenchCommon.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

namespace {

std::string Format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

std::string FormatMilliseconds(double seconds) {
    return Format("%.1f ms", seconds * 1000);
}

std::string FormatSeconds(double seconds) {
    return Format("%.3f s", seconds);
}

std::string FormatRate(double bytesPerSecond) {
    return Format("%.0f MB/s", bytesPerSecond / 1e6);
}

std::string FormatRatio(double ratio) {
    return Format("%.3f", ratio);
}

void PrintRow(const std::string& figure, const std::string& ours, const std::string& baseline,
              const std::string& ratio, const std::string& goal, bool met) {
    std::printf("| %s | %s | %s | %s | %s | %s |\n", figure.c_str(), ours.c_str(), baseline.c_str(),
                ratio.c_str(), goal.c_str(), met ? "yes" : "NO");
    std::fflush(stdout);
}

std::string FreshBenchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "nvn-bench-" + name;
    RemoveFolderTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolderTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void WriteWholeFile(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
}
