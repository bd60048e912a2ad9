#include "edit/apply_written.hpp"

#include "edit/ini_edit.hpp"

namespace editor {

std::string apply_written(std::string_view bytes, const checker::WrittenSettings& settings) {
    const auto now = checker::written_settings(checker::check_settings_bytes(bytes));
    std::string out{bytes};
    for (std::size_t row = 0; row < settings.size(); ++row)
        if (now[row] != settings[row])
            out = set_value(out, hud::hud_setting_table[row].key,
                            checker::written_value_text(row, settings[row]));
    return out;
}

} // namespace editor
