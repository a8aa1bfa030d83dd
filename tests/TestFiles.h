// File helpers for tests that work on the real (Wine) file system.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with its contents when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

void WriteTextFile(const std::string& path, const std::string& contents);
std::string ReadTextFile(const std::string& path);
bool FileIsThere(const std::string& path);
bool FolderIsThere(const std::string& path);
void RemoveTree(const std::string& path);

// Calls visit for every entry of the folder, "." and ".." left out.
void ForEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA& entry)>& visit);

// The folder of the running test program.
std::string TestProgramFolder();

// The exit code; 999 when it cannot start or outlives the timeout (it is then ended).
DWORD RunToEnd(std::string commandLine, DWORD timeout);

// Waits and closes the process's handles: its exit code; 999 on timeout (it is then ended).
DWORD WaitForExit(PROCESS_INFORMATION& process, DWORD timeout);

// Wine only: a path's Unix name, a Unix program run to its end, a symbolic link at `link`.
// Wine shows a link to a folder as a reparse point, as Windows a junction another user plants.
std::string UnixPath(const std::string& path);
void RunUnixCommand(const std::vector<std::string>& arguments);
void PlantSymbolicLink(const std::string& link, const std::string& target);
