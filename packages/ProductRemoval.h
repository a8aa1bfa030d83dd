// The removal run: each row's product, last row first.
#pragma once

#include "ProgressRows.h"

#include <msi.h>

#include <optional>
#include <string>

// Removes each row's product, last row first, with restarts suppressed. Each package is looked
// for in the source folder: beside it, or in a subfolder named after its description, as
// staging holds it. A removal counts when the result is 0, 3010 or 1641 and the product is
// no longer registered.
void RunRemoval(ProgressRows& rows, INSTALLUILEVEL uiLevel, const std::string& sourceFolder);

// The package of the component in the source folder (see RunRemoval).
std::string SourcePackagePath(const std::string& sourceFolder, const ComponentEntry& entry);

// The product code the component's package names; none when unreadable.
std::optional<std::string> ComponentProductCode(const std::string& sourceFolder,
                                                const ComponentEntry& entry);

// The row status while a product is removed.
inline constexpr const char* Removing = "Removing...";
