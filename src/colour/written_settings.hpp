#pragma once
// The 34 settings as the plugin writes them: per byte component the byte, or nothing
// when the plugin leaves the game's own byte (a component outside 0..255); per size
// the single-precision number, bit for bit. What a colour code holds, and what a
// palette or a pasted code gives the file.

#include "hud/hud_setting_table.hpp"
#include "ini_rules/ini_check.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace checker {

struct WrittenSetting {
    std::array<std::optional<std::uint8_t>, 4> bytes{}; // byte rows, per component
    std::uint32_t real_bits = 0;                        // size rows

    friend bool operator==(const WrittenSetting&, const WrittenSetting&) = default;
};

using WrittenSettings = std::array<WrittenSetting, hud::hud_setting_count>;

WrittenSettings written_settings(const CheckReport& report);

// The value to write after "Key=" so that the plugin writes exactly `setting`: an
// alpha of 255 left out, a component the plugin must not write as -1, a size in the
// fewest digits that give back its bits (a NaN as "nan" or "-nan": its payload is lost).
std::string written_value_text(std::size_t row, const WrittenSetting& setting);

// A complete ini (LF line ends) that makes the plugin write `settings`, with the
// template's comments, `origin` (one comment line) first.
std::string written_settings_ini(const WrittenSettings& settings, const std::string& origin);

} // namespace checker
