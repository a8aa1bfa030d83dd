// The set's one Add/Remove Programs entry (64-bit Uninstall key), present only while every chosen
// component is installed so deployment tools can detect the set; its uninstall commands run the
// installer's copy in SetupFiles.
#pragma once

#include <optional>
#include <string>

// The entry's key under HKEY_LOCAL_MACHINE.
inline constexpr const char* SetEntryKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\NorvaneComponents";
inline constexpr const char* SetEntryName = "Norvane Components";

// After an installation that installed every chosen component: copies Setup.exe and its
// configuration file into the destination's SetupFiles and writes the entry; false when either
// could not be written.
bool WriteSetEntry();

// Removes the entry (after a run that left a chosen component not installed).
void RemoveSetEntry();

// The folder the entry names as the set's destination; none without entry.
std::optional<std::string> SetEntryLocation();

// After a removal: lists the sections still installed, or removes the entry when none of the
// catalogue's products is left (packages read from the folder).
void UpdateSetEntryAfterRemoval(const std::string& sourceFolder);

// True while a catalogue product (its package read from the folder) is installed.
bool AnyCatalogueProductInstalled(const std::string& sourceFolder);
