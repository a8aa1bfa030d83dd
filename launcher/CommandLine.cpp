// Parsing the installer's command line.
#include "CommandLine.h"

#include "AnsiText.h"
#include "CharText.h"

#include <windows.h>

#include <cctype>
#include <string_view>

namespace {

using Options = CommandLineOptions;

// A flag, or an option whose value is the next argument. Several names (aliases) may share a
// member, which may be set once.
struct OptionRule {
    const char* Name;
    bool Options::*Flag;
    std::optional<std::string> Options::*Value;
};

const OptionRule Rules[] = {
    {"quiet", &Options::Quiet, nullptr},
    {"passive", &Options::Passive, nullptr},
    {"acceptlicense", &Options::AcceptLicense, nullptr},
    {"dir", nullptr, &Options::Destination},
    {"components", nullptr, &Options::ComponentList},
    {"msilogs", &Options::MsiLogs, nullptr},
    {"log", nullptr, &Options::RunLogFile},
    {"verify", &Options::Verify, nullptr},
    {"uninstall", &Options::Uninstall, nullptr},
    {"norestart", &Options::NoRestart, nullptr},
    {"removalsource", nullptr, &Options::RemovalSource},
    {"?", &Options::Help, nullptr},
    {"help", &Options::Help, nullptr},
};

// The longest folder path the installer's fixed path buffers hold.
constexpr size_t MaxFolderLength = MAX_PATH - 1;

// An argument as an error text shows it: quoted, and cut when very long.
std::string Quoted(const std::string& argument) {
    constexpr size_t shown = 120;
    if (argument.size() <= shown)
        return "\"" + argument + "\"";
    return "\"" + WholeCharacters(argument, shown) + "...\"";
}

bool EqualNoCase(const std::string& text, const char* name) {
    size_t i = 0;
    for (; i < text.size() && name[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    return i == text.size() && !name[i];
}

const OptionRule* FindRule(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return nullptr;
    const std::string name = argument.substr(1);
    for (const OptionRule& rule : Rules)
        if (EqualNoCase(name, rule.Name))
            return &rule;
    return nullptr;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Keeps the first fault only.
void Fail(Options& options, const std::string& error) {
    if (options.Error.empty())
        options.Error = error;
}

void SplitComponents(Options& options) {
    const std::string& list = *options.ComponentList;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string name = Trimmed(list.substr(start, comma - start));
        if (name.empty()) {
            Fail(options,
                 "The component list " + Quoted(list) + " of /components holds an empty name.");
            return;
        }
        options.Components.push_back(name);
        if (comma == std::string::npos)
            return;
        start = comma + 1;
    }
}

// The checks that concern the options together, once all are read.
void CheckCombination(Options& options) {
    if (options.Quiet && options.Passive)
        Fail(options, "/quiet and /passive cannot be used together.");
    if (options.Verify &&
        (options.Unattended() || options.AcceptLicense || options.Destination ||
         options.ComponentList || options.MsiLogs || options.Uninstall || options.NoRestart))
        Fail(options, "/verify checks the distribution and installs nothing: only /log may go "
                      "with it.");
    if (options.Uninstall && (options.AcceptLicense || options.MsiLogs))
        Fail(options, "/uninstall removes components: /acceptlicense and /msilogs do not go "
                      "with it.");
    if (options.RemovalSource && !options.Uninstall)
        Fail(options, "/removalsource is only used by /uninstall.");
    if (options.Unattended() && !options.Uninstall && !options.AcceptLicense)
        Fail(options, std::string(options.Quiet ? "/quiet" : "/passive") +
                          " needs /acceptlicense: the licence agreement must be accepted on the "
                          "command line.");
    if (options.Destination) {
        // Forward slashes are read as the backslashes Windows takes them for.
        for (char& c : *options.Destination)
            if (c == '/')
                c = '\\';
        if (!IsAbsoluteFolder(*options.Destination))
            Fail(options, "The folder " + Quoted(*options.Destination) +
                              " of /dir is not an absolute path (a drive letter or a "
                              "\\\\server\\share path).");
        else if (options.Destination->size() > MaxFolderLength)
            Fail(options, "The folder " + Quoted(*options.Destination) +
                              " of /dir is longer than " + std::to_string(MaxFolderLength) +
                              " characters.");
    }
    if (options.ComponentList)
        SplitComponents(options);
}

} // namespace

const char* const UsageText =
    "Setup.exe [/quiet | /passive] [/acceptlicense] [/dir FOLDER]\n"
    "          [/components NAME[,NAME...]] [/msilogs] [/norestart] [/log FILE] [/?]\n"
    "Setup.exe /uninstall [/quiet | /passive] [/components NAME[,NAME...]] [/dir FOLDER]\n"
    "          [/norestart] [/log FILE]\n"
    "Setup.exe /verify [/log FILE]\n"
    "\n"
    "/quiet\tInstall (or remove) without any window.\n"
    "/passive\tInstall (or remove) showing only the progress page.\n"
    "/acceptlicense\tAccept the licence agreement (needed to install with /quiet or /passive).\n"
    "/dir FOLDER\tThe destination folder (an absolute path; / is read as \\).\n"
    "/components NAMES\tThe components to install or remove, by section name, separated by "
    "commas; required ones are always installed, and removed only with all the others.\n"
    "/msilogs\tWrite one installer log per package into the Logs folder.\n"
    "/uninstall\tRemove the installed components, then the SetupFiles and Logs folders when "
    "none is left.\n"
    "/norestart\tAccepted for habit's sake: the installer never restarts the computer.\n"
    "/log FILE\tAppend the installer's own run log to FILE.\n"
    "/verify\tCheck the distribution's configuration file and packages, change nothing; exit "
    "code 1 when an error is found.\n"
    "/?\tShow this text.\n"
    "\n"
    "Double quotes group a value with blanks; a backslash is a plain character, so "
    "\"C:\\Program Files\\Norvane\\\" is that folder.\n"
    "\n"
    "Exit codes: 0 done, 3010 done and a restart is needed, 1603 a component failed, 1618 "
    "another installation is running, 1639 invalid command line, 1619 configuration file "
    "missing or empty, 112 not enough disk space.";

bool IsAbsoluteFolder(const std::string& path) {
    // By character: the second byte of a double-byte character is no "|".
    for (size_t i = 0, next; i < path.size(); i = next) {
        next = NextCharacter(path, i);
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (next == i + 1 &&
            (c < 32 || std::string("<>\"|?*").find(static_cast<char>(c)) != std::string::npos ||
             (c == ':' && i != 1)))
            return false;
    }
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        path[2] == '\\')
        return true;
    // \\server\share: both parts present.
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    const size_t shareStart = FindCharacterOf(path, "\\", 2);
    return shareStart != std::string::npos && shareStart > 2 && shareStart + 1 < path.size() &&
           path[shareStart + 1] != '\\';
}

static bool IsSilentSwitch(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return false;
    std::string name = argument.substr(1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name[0] == 'q' || name == "s" || name == "silent" || name == "verysilent" ||
           name.starts_with("passive");
}

CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    for (const std::string& argument : arguments)
        options.SilentSwitch = options.SilentSwitch || IsSilentSwitch(argument);
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const OptionRule* rule = FindRule(argument);
        if (!rule) {
            const bool looksLikeOption =
                !argument.empty() && (argument[0] == '/' || argument[0] == '-');
            Fail(options, (looksLikeOption ? "Unknown option " : "Unexpected argument ") +
                              Quoted(argument) + ".");
            continue;
        }
        if (rule->Flag) {
            if (options.*rule->Flag)
                Fail(options, "The option " + Quoted(argument) + " is given more than once.");
            options.*rule->Flag = true;
            continue;
        }
        // The value is the next argument, unless that is an option itself.
        if (i + 1 >= arguments.size() || FindRule(arguments[i + 1]) || arguments[i + 1].empty()) {
            Fail(options, "The option " + Quoted(argument) + " needs a value.");
            if (i + 1 < arguments.size() && arguments[i + 1].empty())
                ++i;
            continue;
        }
        const std::string& value = arguments[++i];
        if ((options.*rule->Value).has_value())
            Fail(options, "The option " + Quoted(argument) + " is given more than once.");
        else
            options.*rule->Value = value;
    }
    CheckCombination(options);
    return options;
}

std::vector<std::string> SplitCommandLine(const wchar_t* commandLine, std::string* unconvertible) {
    std::vector<std::string> arguments;
    const wchar_t* p = commandLine ? commandLine : L"";
    // The program's name as Windows finds it: up to the closing quote, or the first blank.
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    for (;;) {
        while (*p == L' ' || *p == L'\t')
            ++p;
        if (!*p)
            return arguments;
        // Each run of characters between quotes is converted as it ends.
        std::string argument;
        bool quoted = false, lost = false;
        while (*p && (quoted || (*p != L' ' && *p != L'\t'))) {
            const wchar_t* run = p;
            while (*p && *p != L'"' && (quoted || (*p != L' ' && *p != L'\t')))
                ++p;
            // Exactly or not at all: a look-alike would name another folder.
            const std::wstring text(run, p - run);
            const std::optional<std::string> exact = ExactAnsi(text);
            argument += exact ? *exact : AnsiForDisplay(text);
            lost = lost || !exact;
            if (*p == L'"') {
                quoted = !quoted;
                ++p;
            }
        }
        arguments.push_back(argument);
        if (lost && unconvertible && unconvertible->empty())
            *unconvertible = argument;
    }
}

CommandLineOptions ReadCommandLine() {
    std::string unconvertible;
    CommandLineOptions options =
        ParseCommandLine(SplitCommandLine(GetCommandLineW(), &unconvertible));
    if (!unconvertible.empty())
        options.Error = "The argument " + Quoted(unconvertible) +
                        " holds characters that the system's code page cannot represent.";
    return options;
}
