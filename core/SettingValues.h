// The value rules of the configuration file. Each returns the default for an
// unreadable value.
#pragma once

#include <cstdint>
#include <string>

int32_t ParseIntegerSetting(const std::string& text, int32_t defaultValue);
bool ParseFlagSetting(const std::string& text);
// Sizes: read with the given (the user's) decimal separator and, only when
// that fails, with a point; whole numbers exactly over the 64-bit range.
int64_t ParseSizeSetting(const std::string& text, char decimalSeparator);

// The decimal separator of the user's regional settings.
char UserDecimalSeparator();
