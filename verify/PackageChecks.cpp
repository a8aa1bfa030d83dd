// The package's own tables, read as the Windows Installer will read them.
#include "PackageChecks.h"

#include "SafeNames.h"

#include <windows.h>

namespace {

struct PackageChecker {
    const std::string& section;
    const std::string& file;
    Findings& findings;

    void Add(Severity level, const std::string& where, const std::string& problem,
             std::string effect) {
        findings.push_back({section, "MSIFileName", level, file + ", " + where + ": " + problem,
                            std::move(effect)});
    }
};

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(' ');
    return begin == std::string::npos ? ""
                                      : text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

void CheckTemplate(PackageChecker& check, const PackageFacts& facts) {
    const std::string where = "summary property Template " + Quoted(facts.Template);
    const size_t semicolon = facts.Template.find(';');
    // The documentation's own examples have a blank after the platform.
    const std::string platform = Trimmed(facts.Template.substr(0, semicolon));
    const std::string languages =
        semicolon == std::string::npos ? "" : Trimmed(facts.Template.substr(semicolon + 1));
    if (platform == "Intel" || platform.empty())
        check.Add(Severity::Error, where,
                  platform.empty() ? "no platform, which Windows Installer takes as 32-bit"
                                   : "a package for 32-bit Windows",
                  "installs it as a 32-bit product: its registry entries go under WOW6432Node "
                  "and its program-files folders are the 32-bit ones, while the destination is "
                  "64-bit");
    else if (platform != "x64")
        check.Add(Severity::Error, where, "a package for another processor than x64",
                  "fails the component: Windows Installer does not process a package for "
                  "another platform");

    const std::vector<std::string> list = Split(languages, ',');
    const bool neutral = languages.empty() || languages == "0";
    if (list.size() > 1)
        check.Add(Severity::Error, where, "several languages, which only merge modules may list",
                  "hands Windows Installer a package it documents as invalid: it may refuse "
                  "it or show it in another language");
    else if (!neutral && !IsNumber(languages))
        check.Add(Severity::Error, where, Quoted(languages) + " is no language number",
                  "hands Windows Installer a package it documents as invalid: it may refuse it");
    else if (!neutral && facts.ProductLanguage != languages)
        check.Add(Severity::Error, where,
                  "the property ProductLanguage " + Quoted(facts.ProductLanguage) +
                      " is not its language " + languages,
                  "hands Windows Installer a package it documents as invalid: it may refuse "
                  "it or show it in another language");
}

// Per machine: ALLUSERS 1, or 2 without MSIINSTALLPERUSER=1 (the installer
// runs as administrator). An empty ALLUSERS installs for the current user.
void CheckScope(PackageChecker& check, const PackageFacts& facts) {
    const bool perUser =
        facts.AllUsers.empty() || (facts.AllUsers == "2" && facts.InstallPerUser == "1");
    if (!perUser)
        return;
    check.Add(Severity::Error,
              facts.AllUsers.empty() ? "property ALLUSERS"
                                     : "properties ALLUSERS " + Quoted(facts.AllUsers) +
                                           " and MSIINSTALLPERUSER " + Quoted(facts.InstallPerUser),
              facts.AllUsers.empty() ? "not set: a per-user package" : "a per-user package",
              "installs it for the account that runs Setup.exe only: other users of the "
              "machine have no shortcut, no registration and no entry in the installed programs");
}

void CheckCabinets(PackageChecker& check, const PackageFacts& facts, const std::string& folder) {
    for (const std::string& cabinet : facts.Cabinets) {
        if (cabinet.starts_with("#"))
            continue; // embedded in the package
        const std::string where = "Media table";
        if (cabinet.empty()) {
            check.Add(Severity::Error, where,
                      "a disk without a cabinet: its files lie uncompressed beside the package",
                      "stages the package without them: Windows Installer cannot find the files "
                      "and the component fails");
        } else if (!IsSafeFileName(cabinet)) {
            check.Add(Severity::Error, where,
                      "the cabinet " + Quoted(cabinet) + " does not name a file beside it",
                      "cannot stage it: Windows Installer cannot find the files and the "
                      "component fails");
        } else {
            const DWORD attributes = GetFileAttributesA((folder + "\\" + cabinet).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
                check.Add(Severity::Error, where,
                          "the external cabinet " + cabinet + " is missing beside the package",
                          "stages the package without it: Windows Installer cannot find the "
                          "files and the component fails");
        }
    }
}

void CheckVersion(PackageChecker& check, const PackageFacts& facts) {
    if (IsInstallerVersion(facts.ProductVersion))
        return;
    check.Add(Severity::Error, "property ProductVersion " + Quoted(facts.ProductVersion),
              "not a version within Windows Installer's limits of 255.255.65535",
              "hands Windows Installer a version it cannot compare: upgrades of this component "
              "and the version shown in the installed programs go wrong");
}

void CheckRestart(PackageChecker& check, const PackageFacts& facts) {
    // Windows Installer reads only the first letter: "F" is Force.
    const bool forced = !facts.Reboot.empty() && (facts.Reboot[0] == 'F' || facts.Reboot[0] == 'f');
    if (!forced && !facts.SchedulesReboot)
        return;
    check.Add(Severity::Warning,
              forced ? "property REBOOT " + Quoted(facts.Reboot)
                     : std::string("InstallExecuteSequence action ScheduleReboot"),
              "the package asks for a restart",
              "gets result 3010 for it: the wizard shows the component as failed, and without "
              "a window Windows Installer may restart the machine at the end of it");
}

} // namespace

bool IsInstallerVersion(const std::string& version) {
    const std::vector<std::string> parts = Split(version, '.');
    const long limits[] = {255, 255, 65535};
    if (parts.size() > 4)
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!IsNumber(parts[i]))
            return false;
        long value = 0; // at most nine digits: no overflow
        for (char digit : parts[i])
            value = value * 10 + (digit - '0');
        if (i < 3 && value > limits[i])
            return false;
    }
    return true;
}

void CheckPackageContents(const std::string& section, const std::string& file,
                          const PackageFacts& facts, const std::string& folder,
                          Findings& findings) {
    PackageChecker check{section, file, findings};
    CheckTemplate(check, facts);
    CheckScope(check, facts);
    if (!facts.HasInstallDir)
        check.Add(Severity::Error, "Directory table", "no row INSTALLDIR",
                  "sets INSTALLDIR, which the package does not use: its files land where the "
                  "package says, outside the destination");
    CheckCabinets(check, facts, folder);
    if (facts.UpgradeRows == 0)
        check.Add(Severity::Warning, "Upgrade table", "no rows: the package makes no major upgrade",
                  "installs it, but the next release of this component cannot replace it: both "
                  "stay installed side by side");
    CheckVersion(check, facts);
    CheckRestart(check, facts);
}
