// The installer's command line: the options that make it run unattended or
// preset the wizard, parsed from the arguments into plain data.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Exit codes of the process, after the Windows Installer's conventions that
// deployment tools understand.
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
    // Internal: the folder of the packages when /uninstall runs from a
    // temporary copy of the installer.
    std::optional<std::string> RemovalSource;
    // The line holds a switch that asks another installer for a silent run
    // (/q..., /s, /silent, /verysilent, /passive...): no box may wait then.
    bool SilentSwitch = false;
    std::optional<std::string> Destination;   // /dir FOLDER
    std::optional<std::string> ComponentList; // /components NAME[,NAME...], as given
    std::optional<std::string> RunLogFile;    // /log FILE
    // The names of ComponentList, without the blanks around each.
    std::vector<std::string> Components;
    // Empty when the command line is valid; otherwise what is wrong, naming
    // the argument.
    std::string Error;

    bool Unattended() const { return Quiet || Passive; }
    bool Valid() const { return Error.empty(); }
};

// Parses the arguments after the program's name. Options start with "/" or
// "-" and are matched without regard to case; each may be given once; an
// option with a value takes the next argument. The first fault found is
// reported in Error, but the rest is still read, so that a run log named on
// an invalid command line can say what was wrong.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments);

// Splits a wide command line (the program's name first) by rules that suit
// paths: blanks separate arguments, double quotes group (and are dropped),
// backslashes are plain characters, so no argument holds a double quote and
// "C:\Program Files\" is that folder. The arguments after the name are
// converted to the ANSI code page. A character the code page cannot hold
// exactly (a best-fit look-alike included) becomes the code page's default
// character, and *unconvertible (when given and still empty) takes that
// argument as converted.
std::vector<std::string> SplitCommandLine(const wchar_t* commandLine,
                                          std::string* unconvertible = nullptr);

// This process's own command line, split and parsed. An argument the ANSI
// code page cannot hold makes the command line invalid: it would name
// another file or folder than the one meant.
CommandLineOptions ReadCommandLine();

// The usage text shown by /? and after an invalid command line.
extern const char* const UsageText;

// True when the path is absolute: a drive letter, a colon and a backslash,
// or a "\\server\share" path.
bool IsAbsoluteFolder(const std::string& path);
