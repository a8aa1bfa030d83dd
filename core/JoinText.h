// Building message texts from parts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The parts one after the other: one call and one allocation in place of a
// chain of temporaries, which keeps the many messages of the program small.
std::string JoinText(std::initializer_list<std::string_view> parts);

// "(error N)" for a system error code.
std::string ErrorNumberText(unsigned long error);
