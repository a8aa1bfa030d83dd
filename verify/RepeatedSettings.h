// A setting written twice in one section: the profile functions read the
// first and ignore the other without a word.
#pragma once

#include "ConfigurationText.h"

// One error per repeated setting of the section, naming both lines.
void CheckRepeatedSettings(const WrittenSection& section, Findings& findings);
