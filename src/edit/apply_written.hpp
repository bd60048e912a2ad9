#pragma once
// A palette or a pasted colour code applied to a player's file as one edit: the lines
// of the settings that would write something else get the new value, nothing else
// changes (comments, order, unknown lines), and a missing key is appended.

#include "colour/written_settings.hpp"

#include <string>
#include <string_view>

namespace editor {

std::string apply_written(std::string_view bytes, const checker::WrittenSettings& settings);

} // namespace editor
