// The family's earlier packages, removed before the first page.
#pragma once

#include <windows.h>

#include <msi.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

// Product codes of the family's earlier packages, in the order they are examined.
extern const std::array<const char*, 6> EarlierProductCodes;

// The question asked once before the first earlier package is removed.
extern const char* const EarlierPackagesQuestion;

// Removes every earlier package still on the machine after one consent prompt. True when none
// is left; false when the user declined or a removal failed (earlier removals stand).
bool RemoveEarlierPackages();

// The same, with choices: whether to ask (not unattended: the administrator has decided), the
// service's UI level for the removals (its default when none), a report of each product found
// with its removal's result, and properties for the removals (none: the plain configure call).
// A result of 3010 or 1641 counts as removed: only the restart is still to come.
struct EarlierRemoval {
    bool Ask = true;
    std::optional<INSTALLUILEVEL> UiLevel;
    std::function<void(const char* productCode, UINT result)> Removed;
    std::string Properties = {};
};
bool RemoveEarlierPackagesWith(const EarlierRemoval& removal);
