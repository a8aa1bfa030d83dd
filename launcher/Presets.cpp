// Applying the command line's choices to the install session.
#include "Presets.h"

#include "CharText.h"
#include "PackagePaths.h"

#include "Configuration.h"
#include "Folders.h"
#include "Session.h"

namespace {

bool Named(const ComponentEntry& entry, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (SameProfileName(entry.SectionName, name))
            return true;
    return false;
}

} // namespace

std::string ApplyPresets(const CommandLineOptions& options) {
    for (const std::string& name : options.Components) {
        bool known = false;
        for (int32_t i = 0; i < InstallSession.ComponentCount && !known; ++i)
            known = SameProfileName(InstallSession.Components[i].SectionName, name);
        if (!known)
            return "Unknown component \"" + WholeCharacters(name, 120) +
                   (name.size() > 120 ? "..." : "") +
                   "\" in /components: the configuration file has no section of that name.";
    }
    if (options.ComponentList)
        for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
            ComponentEntry& entry = InstallSession.Components[i];
            entry.Selected = entry.Required || Named(entry, options.Components);
        }
    if (options.Destination)
        SetDestinationFolder(*options.Destination);
    if (options.MsiLogs)
        InstallSession.LogEnabled = true;
    return options.Destination && !options.Uninstall ? DestinationTooLong() : "";
}

std::string DestinationTooLong() {
    const std::string destination = GetDestinationFolder();
    for (int32_t i = 0; i < InstallSession.ComponentCount; ++i) {
        const ComponentEntry& entry = InstallSession.Components[i];
        if (!entry.Selected)
            continue;
        const std::string staged = StagedPackagePath(destination, entry);
        const std::string log = PackageLogFile(GetLogFolder(), entry);
        const std::string& longest = staged.size() >= log.size() ? staged : log;
        if (longest.size() > MaxPathLength)
            return "The folder \"" + WholeCharacters(destination, 120) +
                   (destination.size() > 120 ? "..." : "") + "\" of /dir is too long: " + longest +
                   " would be " + std::to_string(longest.size()) +
                   " characters, more than Windows paths hold (" + std::to_string(MaxPathLength) +
                   ").";
    }
    return "";
}
