// Loads msi.dll as the installer does, before the first test runs.
#include "MsiFunctions.h"

namespace {
const bool msiLoaded = LoadMsiFunctions();
} // namespace
