// The distribution check: each component's settings and package.
#include "Verification.h"

#include "CharText.h"
#include "Configuration.h"
#include "ConfigurationText.h"
#include "EarlierPackages.h"
#include "PackageChecks.h"
#include "PackageFacts.h"
#include "RepeatedSettings.h"
#include "ReportFile.h"
#include "SafeNames.h"
#include "Session.h"
#include "SettingValues.h"
#include "SignatureChecks.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr size_t LongestValue = 2047;
constexpr int LastImageIndex = 10;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

struct Checker {
    const std::string& section;
    Findings& findings;

    void Add(const char* setting, Severity level, std::string problem, std::string effect) {
        findings.push_back({section, setting, level, std::move(problem), std::move(effect)});
    }
    void Warn(const char* setting, std::string problem, std::string effect) {
        Add(setting, Severity::Warning, std::move(problem), std::move(effect));
    }
    void Fail(const char* setting, std::string problem, std::string effect) {
        Add(setting, Severity::Error, std::move(problem), std::move(effect));
    }
    // One finding per fault, not one per consequence.
    bool Has(const char* setting) const {
        for (const Finding& finding : findings)
            if (finding.Section == section && finding.Setting == setting)
                return true;
        return false;
    }
};

// What the run does when a setting is missing, empty or unreadable.
struct SettingRule {
    const char* name;
    enum Kind { Text, Integer, Number } kind;
    bool required; // its default makes no sense: an error
    const char* defaultEffect;
};

constexpr SettingRule SettingRules[] = {
    {"ComponentImageIndex", SettingRule::Integer, false, "takes -1: the row has no icon"},
    {"ComponentDescription", SettingRule::Text, true,
     "shows a row without a caption, and the component fails when it is staged in a subfolder "
     "or logs are on"},
    {"Version", SettingRule::Text, false, "shows no version"},
    {"Size", SettingRule::Number, false, "takes 0: the free-space check counts nothing for it"},
    {"MSIFileName", SettingRule::Text, true, "fails the component"},
    {"Required", SettingRule::Integer, false, "takes 0: the user may deselect it"},
    {"SetupFileSubFolder", SettingRule::Integer, false,
     "takes 0: the package is staged in SetupFiles itself"},
};

bool ReadsAsInteger(const std::string& value) {
    return ParseIntegerSetting(value, 1) != 1 || ParseIntegerSetting(value, 2) != 2;
}

void CheckWrittenValue(Checker& check, const SettingRule& rule, const std::string& value) {
    if (value.size() > LongestValue)
        check.Warn(rule.name, "the value has " + std::to_string(value.size()) + " characters",
                   "cuts it to its first 2047");
    if (rule.kind == SettingRule::Integer && !ReadsAsInteger(value)) {
        check.Warn(rule.name, Quoted(value) + " does not read as an integer", rule.defaultEffect);
    } else if (rule.kind == SettingRule::Number) {
        const int64_t point = ParseSizeSetting(value, '.');
        const int64_t comma = ParseSizeSetting(value, ',');
        if (point != comma)
            check.Warn(rule.name,
                       Quoted(value) + " reads as " + std::to_string(point) +
                           " with a point as the decimal separator and as " +
                           std::to_string(comma) + " with a comma",
                       "takes one or the other after the user's regional settings");
        else if (point == 0)
            check.Warn(rule.name, Quoted(value) + " reads as 0 kilobytes", rule.defaultEffect);
    }
}

void CheckSettings(Checker& check, const WrittenSection* written) {
    for (const SettingRule& rule : SettingRules) {
        const WrittenSetting* setting = written ? FindSetting(*written, rule.name) : nullptr;
        if (!setting || setting->Value.empty()) {
            check.Add(rule.name, rule.required ? Severity::Error : Severity::Warning,
                      setting ? "the value is empty" : "the setting is missing",
                      rule.defaultEffect);
            continue;
        }
        CheckWrittenValue(check, rule, setting->Value);
    }
}

void CheckNames(Checker& check, const ComponentEntry& entry) {
    if (!entry.Description.empty() && !IsSafeRelativeName(entry.Description))
        check.Fail("ComponentDescription",
                   Quoted(entry.Description) + " cannot name a staging subfolder or a log file",
                   entry.SetupFileSubFolder
                       ? "fails the component: it is staged in a subfolder of that name"
                       : "fails the component whenever the user asks for log files");
    if (entry.ImageIndex < -1 || entry.ImageIndex > LastImageIndex)
        check.Warn("ComponentImageIndex",
                   "there is no icon " + std::to_string(entry.ImageIndex) + " (0 to 10)",
                   "shows the row without an icon");
}

bool IsBracedGuid(const std::string& code) {
    if (code.size() != 38 || code.front() != '{' || code.back() != '}')
        return false;
    for (size_t i = 1; i < 37; ++i) {
        const char c = code[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// Dotted versions agree when their numbers do; missing parts count as 0, so
// "2.4" agrees with "2.4.0". Texts that are not dotted numbers must match.
bool SameVersion(const std::string& a, const std::string& b) {
    auto parts = [](const std::string& text, std::vector<long>& numbers) {
        size_t start = 0;
        for (;;) {
            const size_t end = text.find('.', start);
            const std::string part = text.substr(start, end - start);
            if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos)
                return false;
            numbers.push_back(std::strtol(part.c_str(), nullptr, 10));
            if (end == std::string::npos)
                return true;
            start = end + 1;
        }
    };
    std::vector<long> x, y;
    if (!parts(a, x) || !parts(b, y))
        return a == b;
    x.resize(std::max(x.size(), y.size()));
    y.resize(x.size());
    return x == y;
}

bool IsEarlierProduct(const std::string& code) {
    for (const char* earlier : EarlierProductCodes)
        if (SameProfileName(code, earlier))
            return true;
    return false;
}

void CheckSize(Checker& check, const ComponentEntry& entry, const PackageFacts& facts) {
    if (facts.InstalledBytes <= 0)
        return;
    const int64_t installed = (facts.InstalledBytes + 999) / 1000;
    const std::string sizes = "Size " + std::to_string(entry.Size) + " KB is ";
    const std::string package = "the package's installed " + std::to_string(installed) + " KB";
    if (entry.Size < installed)
        check.Warn("Size", sizes + "below " + package,
                   "counts " + std::to_string(entry.Size) +
                       " KB in the free-space check and may start on a disk too small for it");
    else if (entry.Size > installed * 10)
        check.Warn("Size", sizes + "more than ten times " + package,
                   "asks the free-space check for more room than the package needs");
}

struct CheckedPackage {
    std::string section;
    std::string file;
    std::string productCode;
    std::string upgradeCode;
};

void CheckPackage(Checker& check, const ComponentEntry& entry, const std::string& folder,
                  std::vector<CheckedPackage>& seen) {
    if (entry.MSIFileName.empty())
        return;
    if (!IsSafeRelativeName(entry.MSIFileName)) {
        check.Fail("MSIFileName",
                   Quoted(entry.MSIFileName) + " does not name a file beside Setup.exe",
                   "fails the component without calling Windows Installer");
        return;
    }
    if (!IsSafeFileName(entry.MSIFileName)) {
        check.Fail("MSIFileName",
                   Quoted(entry.MSIFileName) +
                       " names a file in a folder: the package must lie beside Setup.exe",
                   "stages it into a folder of SetupFiles that staging does not create: the "
                   "component fails");
        return;
    }
    for (const CheckedPackage& other : seen)
        if (SameProfileName(other.file, entry.MSIFileName)) {
            check.Fail("MSIFileName", "section [" + other.section + "] names the same package",
                       "installs the package twice");
            return;
        }
    const std::string path = folder + "\\" + entry.MSIFileName;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        check.Fail("MSIFileName", "the package " + entry.MSIFileName + " is missing",
                   "fails the component");
        return;
    }
    PackageFacts facts;
    if (!ReadPackageFacts(path, facts)) {
        check.Fail("MSIFileName",
                   entry.MSIFileName + " does not open as a Windows Installer package",
                   "fails the component");
        return;
    }
    seen.push_back({check.section, entry.MSIFileName, facts.ProductCode, facts.UpgradeCode});
    if (!IsBracedGuid(facts.ProductCode)) {
        check.Fail("MSIFileName",
                   "the package's ProductCode " + Quoted(facts.ProductCode) +
                       " is not a braced upper-case GUID of 38 characters",
                   "installs it without knowing whether its product is present, never in place");
    } else if (IsEarlierProduct(facts.ProductCode)) {
        check.Fail("MSIFileName",
                   "the package's ProductCode " + facts.ProductCode +
                       " is one of the earlier Norvane products",
                   "asks on every later run to remove it as an older package");
    } else {
        for (size_t i = 0; i + 1 < seen.size(); ++i)
            if (SameProfileName(seen[i].productCode, facts.ProductCode)) {
                check.Fail("MSIFileName",
                           "the package's ProductCode " + facts.ProductCode +
                               " is also that of section [" + seen[i].section + "]",
                           "reinstalls one product in place of the other");
                break;
            }
    }
    // One product code was reported already: it implies one UpgradeCode.
    for (size_t i = 0; i + 1 < seen.size() && !check.Has("MSIFileName"); ++i)
        if (!facts.UpgradeCode.empty() && SameProfileName(seen[i].upgradeCode, facts.UpgradeCode)) {
            check.Fail("MSIFileName",
                       entry.MSIFileName + ", property UpgradeCode: " + facts.UpgradeCode +
                           " is also that of section [" + seen[i].section + "]'s package " +
                           seen[i].file,
                       "installs both as releases of one product: a major upgrade of either "
                       "removes the other");
            break;
        }
    CheckPackageContents(check.section, entry.MSIFileName, facts, folder, check.findings);
    if (!check.Has("Version") && !SameVersion(entry.Version, facts.ProductVersion))
        check.Warn("Version",
                   Quoted(entry.Version) + " differs from the package's ProductVersion " +
                       facts.ProductVersion,
                   "shows " + entry.Version + " on the selection page");
    if (!check.Has("Size"))
        CheckSize(check, entry, facts);
}

const WrittenSection* FirstWritten(const ConfigurationText& text, const std::string& name) {
    for (const WrittenSection& section : text.Sections)
        if (SameProfileName(section.Name, name))
            return &section;
    return nullptr;
}

void CheckRepeatedSections(const ConfigurationText& text, const std::vector<std::string>& listed,
                           Findings& findings) {
    for (size_t j = 0; j < text.Sections.size(); ++j) {
        const WrittenSection& again = text.Sections[j];
        const WrittenSection* first = FirstWritten(text, again.Name);
        if (first == &again)
            continue;
        int times = 0;
        for (const std::string& name : listed)
            times += SameProfileName(name, again.Name) ? 1 : 0;
        findings.push_back({again.Name, "", Severity::Error,
                            "the section on line " + std::to_string(again.Line) +
                                " repeats the name of the one on line " +
                                std::to_string(first->Line),
                            times > 1 ? "shows the first one's component twice; this one is "
                                        "never read"
                                      : "does not offer this section's component"});
    }
}

// The report's header and first findings: a box shows no more than a screen.
std::string BoxSummary(const std::string& report) {
    constexpr int ShownLines = 20;
    size_t end = 0;
    int lines = 0;
    while (lines < ShownLines && (end = report.find("\r\n", end)) != std::string::npos) {
        end += 2;
        ++lines;
    }
    if (end == std::string::npos || end == report.size())
        return report;
    return report.substr(0, end) +
           "...\r\n\r\nSetup.exe /verify /log FILE writes the whole report into FILE.";
}

} // namespace

DistributionReport CheckDistribution(const std::string& iniPath, const std::string& folder,
                                     const std::string& program) {
    DistributionReport report;
    // Named as the distribution folder holds it, not by this machine's path.
    const std::string prefix = folder + "\\";
    report.ConfigurationFile =
        iniPath.starts_with(prefix) ? iniPath.substr(prefix.size()) : iniPath;
    ConfigurationText text;
    FreeComponents();
    if (!ReadConfigurationText(iniPath, text) || !LoadConfigurationFrom(iniPath)) {
        report.Items.push_back({"", "", Severity::Error, "the configuration file cannot be read",
                                "shows the configuration error and ends"});
        return report;
    }
    const std::vector<std::string> names = ReadSectionNames(iniPath);
    report.ComponentCount = InstallSession.ComponentCount;
    report.Items = text.EncodingFindings;
    if (report.ComponentCount == 0)
        report.Items.push_back({"", "", Severity::Warning, "the file has no component section",
                                "offers an empty list"});
    CheckRepeatedSections(text, names, report.Items);

    std::vector<CheckedPackage> seen;
    for (int i = 0; i < report.ComponentCount && i < static_cast<int>(names.size()); ++i) {
        // A repeated name reads the first section again: reported above.
        bool repeated = false;
        for (int k = 0; k < i; ++k)
            repeated = repeated || SameProfileName(names[k], names[i]);
        if (repeated)
            continue;
        const ComponentEntry& entry = InstallSession.Components[i];
        Checker check{names[i], report.Items};
        CheckSettings(check, FirstWritten(text, names[i]));
        if (const WrittenSection* written = FirstWritten(text, names[i]))
            CheckRepeatedSettings(*written, report.Items);
        CheckNames(check, entry);
        CheckPackage(check, entry, folder, seen);
    }
    if (!program.empty()) {
        std::vector<SignedPackage> packages;
        for (const CheckedPackage& package : seen)
            packages.push_back({package.section, package.file});
        CheckSignatures(program, folder, packages, report.Items);
    }
    FreeComponents();
    return report;
}

std::string FormatReport(const DistributionReport& report) {
    int errors = 0;
    for (const Finding& finding : report.Items)
        errors += finding.Level == Severity::Error ? 1 : 0;
    const int warnings = static_cast<int>(report.Items.size()) - errors;
    std::string text = "Norvane distribution check\r\n";
    text += "Configuration file: " + report.ConfigurationFile + "\r\n";
    text += "Components: " + std::to_string(report.ComponentCount) + "\r\n";
    text +=
        "Errors: " + std::to_string(errors) + ", warnings: " + std::to_string(warnings) + "\r\n";
    text += errors ? "Result: not ready to ship\r\n" : "Result: ready to ship\r\n";
    for (const Finding& finding : report.Items) {
        text += finding.Level == Severity::Error ? "error   " : "warning ";
        text += finding.Section.empty() ? "(file)" : "[" + finding.Section + "]";
        if (!finding.Setting.empty())
            text += " " + finding.Setting;
        text += ": " + finding.Problem + "; the installer " + finding.RunEffect + "\r\n";
    }
    return text;
}

int RunVerify(const std::string& logFile) {
    const std::string executable = ExecutablePath();
    const std::string folder = executable.substr(0, FindLastCharacterOf(executable, "\\"));
    const DistributionReport report =
        CheckDistribution(ConfigurationFileName(executable), folder, executable);
    const std::string text = FormatReport(report);
    const int result = HasErrors(report.Items) ? 1 : 0;
    if (!logFile.empty())
        return AppendReport(logFile, text) ? result : ReportNotWritten;
    MessageBoxA(nullptr, BoxSummary(text).c_str(), result ? "Error" : "Information",
                MB_OK | (result ? MB_ICONERROR : MB_ICONINFORMATION));
    return result;
}
