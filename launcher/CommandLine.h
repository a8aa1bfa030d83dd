// The installer's command line parsed into plain data: unattended runs and wizard presets.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The process's exit codes: Windows Installer's, which deployment tools understand.
namespace ExitCodes {
constexpr int Success = 0;
constexpr int DiskFull = 112;                // ERROR_DISK_FULL
constexpr int Cancelled = 1602;              // ERROR_INSTALL_USEREXIT
constexpr int InstallFailure = 1603;         // ERROR_INSTALL_FAILURE
constexpr int BadConfiguration = 1619;       // ERROR_INSTALL_PACKAGE_OPEN_FAILED
constexpr int AnotherInstallRunning = 1618;  // ERROR_INSTALL_ALREADY_RUNNING
constexpr int InvalidCommandLine = 1639;     // ERROR_INVALID_COMMAND_LINE
constexpr int SuccessRestartRequired = 3010; // ERROR_SUCCESS_REBOOT_REQUIRED
} // namespace ExitCodes

struct CommandLineOptions {
    bool Quiet = false;         // /quiet: no window at all
    bool Passive = false;       // /passive: the progress page only
    bool AcceptLicense = false; // /acceptlicense
    bool MsiLogs = false;       // /msilogs: one installer log per package
    bool Help = false;          // /? or /help
    bool Verify = false;        // /verify: check the distribution only
    bool Uninstall = false;     // /uninstall: remove the installed components
    bool NoRestart = false;     // /norestart: accepted; nothing ever restarts
    // Internal: the packages' folder when /uninstall runs from a temporary copy.
    std::optional<std::string> RemovalSource;
    // Any installer's silent switch (/q..., /s, /silent, /verysilent, /passive...): no box waits.
    bool SilentSwitch = false;
    std::optional<std::string> Destination;   // /dir FOLDER
    std::optional<std::string> ComponentList; // /components NAME[,NAME...], as given
    std::optional<std::string> RunLogFile;    // /log FILE
    // ComponentList's names, trimmed of blanks.
    std::vector<std::string> Components;
    // What is wrong, naming the argument; empty when the command line is valid.
    std::string Error;

    bool Unattended() const { return Quiet || Passive; }
    bool Valid() const { return Error.empty(); }
};

// The arguments after the program's name. Options start with "/" or "-", any case, each given
// once; a value is the next argument. Error holds the first fault, but the rest is still read so
// that a run log named on an invalid line can say what was wrong.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments);

// Splits a wide command line (program name first) by rules that suit paths: blanks separate,
// double quotes group and are dropped, backslashes are plain ("C:\Program Files\" is that folder).
// Returns the arguments after the name in the ANSI code page; a character it cannot hold exactly
// (a best-fit look-alike included) becomes its default character, and *unconvertible (when given
// and still empty) takes that argument as converted.
std::vector<std::string> SplitCommandLine(const wchar_t* commandLine,
                                          std::string* unconvertible = nullptr);

// This process's command line. An argument the ANSI code page cannot hold makes it invalid: it
// would name another file or folder than the one meant.
CommandLineOptions ReadCommandLine();

// The usage text shown by /? and after an invalid command line.
extern const char* const UsageText;

// True for "X:\..." or "\\server\share..." without characters Windows forbids in paths.
bool IsAbsoluteFolder(const std::string& path);
