#pragma once
// The HUD table's row of a key, matched exactly as the plugin matches keys.

#include "hud/hud_setting_table.hpp"

#include <string_view>

namespace editor {

inline const hud::HudSetting* table_row(std::string_view key) {
    for (const auto& row : hud::hud_setting_table)
        if (key == row.key) return &row;
    return nullptr;
}

inline std::size_t row_index(const hud::HudSetting& row) {
    return static_cast<std::size_t>(&row - hud::hud_setting_table.data());
}

} // namespace editor
