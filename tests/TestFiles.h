// File helpers for tests that work on the real (Wine) file system.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path + "\" + name.
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

// Runs a command line to its end and returns the exit code; 999 when it
// cannot start or is still running after the timeout (then it is ended).
DWORD RunToEnd(std::string commandLine, DWORD timeout);

// Waits for a started process and closes its handles; its exit code, 999 when
// it does not end in time (it is then terminated).
DWORD WaitForExit(PROCESS_INFORMATION& process, DWORD timeout);

// Wine only: the Unix name of a path, a Unix program run to its end (its exit
// code), and a Unix symbolic link planted at `link` pointing to `target`. Wine
// shows a symbolic link to a folder as a reparse point, as Windows shows a
// junction: links another user could plant are staged this way.
std::string UnixPath(const std::string& path);
void RunUnixCommand(const std::vector<std::string>& arguments);
void PlantSymbolicLink(const std::string& link, const std::string& target);
