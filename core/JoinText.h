// Building message texts from parts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The parts joined in one call and one allocation: no chain of temporaries, smaller code.
std::string JoinText(std::initializer_list<std::string_view> parts);

// "(error N)" for a system error code.
std::string ErrorNumberText(unsigned long error);
