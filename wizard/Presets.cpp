// Applying the command line's choices to the install session.
#include "Presets.h"

#include "Installmanager.h"

#include <cctype>

namespace {

// Section names match as the profile functions match them: without regard to
// case (of the ASCII letters here; other bytes must be equal).
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool Named(const ComponentEntry& entry, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (SameName(entry.SectionName, name))
            return true;
    return false;
}

} // namespace

std::string ApplyPresets(const CommandLineOptions& options) {
    for (const std::string& name : options.Components) {
        bool known = false;
        for (int32_t i = 0; i < InstallSession.ComponentCount && !known; ++i)
            known = SameName(InstallSession.Components[i].SectionName, name);
        if (!known)
            return "Unknown component \"" + name.substr(0, 120) + (name.size() > 120 ? "..." : "") +
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
