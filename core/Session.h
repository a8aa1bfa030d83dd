// The one installation this process performs: the component catalogue read
// from the configuration file and what the user decides on the pages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One component of the catalogue: one section of the configuration file.
struct ComponentEntry {
    int32_t ImageIndex = -1;         // icon on the selection page; -1 for none
    std::string Description;         // display name; also names its log file and staging subfolder
    std::string Version;             // version text shown on the selection page
    int64_t Size = 0;                // installed size in kilobytes
    std::string MSIFileName;         // package file, relative to the executable's folder
    bool Required = false;           // cannot be deselected
    bool Selected = false;           // to be installed; changed only by the selection page
    bool Succeeded = false;          // outcome, written by the installation run
    bool Cancelled = false;          // the user cancelled the run before this one was installed
    bool SetupFileSubFolder = false; // staged in a subfolder named after Description
    std::string SectionName;         // the section's name, by which the command line chooses it
};

// The process-wide installation state. Texts go through the accessors below;
// the catalogue and the log flag are used directly.
struct InstallSessionState {
    // Null until loaded, then ComponentCount entries that are never resized or
    // reordered, so references to entries stay valid until FreeComponents.
    std::unique_ptr<ComponentEntry[]> Components;
    int32_t ComponentCount = 0;
    std::string DestinationFolder;
    std::string Email;
    std::string FirstName;
    std::string LastName;
    bool LogEnabled = false;
};

extern InstallSessionState InstallSession;

// Session accessors; every one copies.
std::string GetEmail();
void SetEmail(const std::string& text);
std::string GetFirstName();
void SetFirstName(const std::string& text);
std::string GetLastName();
void SetLastName(const std::string& text);

// The destination; fills in (and keeps) the default, the program-files folder
// followed by "\Norvane Components", when none is set.
std::string GetDestinationFolder();
void SetDestinationFolder(const std::string& text);

// The destination followed by "Logs"; does not fill in the default.
std::string GetLogFolder();

// Releases the catalogue; ComponentCount becomes 0.
void FreeComponents();
