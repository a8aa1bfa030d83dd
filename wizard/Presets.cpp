// Applying the command line's choices to the install session.
#include "Presets.h"

#include "CharText.h"
#include "Installmanager.h"

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
    return "";
}
