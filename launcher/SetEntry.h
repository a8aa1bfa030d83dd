// The one Add/Remove Programs entry for the whole set of components, under the
// 64-bit Uninstall key. It is there only while every component an
// installation chose is installed, so deployment tools can detect the set by
// it; its uninstall commands run the copy of the installer kept in
// SetupFiles.
#pragma once

#include <optional>
#include <string>

// The entry's key under HKEY_LOCAL_MACHINE.
inline constexpr const char* SetEntryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NorvaneComponents";
inline constexpr const char* SetEntryName = "Norvane Components";

// After an installation in which every chosen component ended installed:
// keeps a copy of Setup.exe and its configuration file in the destination's
// SetupFiles folder and writes (or updates) the entry. Returns false when
// either could not be written.
bool WriteSetEntry();

// Removes the entry (after a run that left a chosen component not installed).
void RemoveSetEntry();

// The folder the entry names as the set's destination; none without entry.
std::optional<std::string> SetEntryLocation();

// After a removal: the entry lists the sections still installed, or goes when
// none of the catalogue's products is left (packages read from the folder).
void UpdateSetEntryAfterRemoval(const std::string& sourceFolder);

// True when a product of the catalogue (its package read from the folder) is
// still installed.
bool AnyCatalogueProductInstalled(const std::string& sourceFolder);
