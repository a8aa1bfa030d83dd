// The cabinets a package keeps outside itself. Windows Installer looks for
// them beside the package it installs, so staging copies them with it.
#pragma once

#include <string>
#include <vector>

// The Media table's cabinets that are not embedded ("#name"), each a plain file name; names
// leading out of the package's folder are left out. None when the package does not open or
// the Windows Installer functions are not loaded.
std::vector<std::string> ExternalCabinets(const std::string& packagePath);
