// Texts joined from parts in one call: the run's messages are many, and a
// chain of "+" would make each of them a sequence of temporaries in the
// program.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

std::string Joined(std::initializer_list<std::string_view> parts);
