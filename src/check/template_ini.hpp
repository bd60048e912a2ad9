#pragma once
// A complete ini: every key in table order with its default and what it colours.

#include <string>

namespace checker {

std::string template_ini();

// A row's default written the way the ini takes it ("255 150 225", "2", "0.6").
std::string default_text(std::size_t row);

} // namespace checker
