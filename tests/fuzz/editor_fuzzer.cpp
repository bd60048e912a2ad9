// Arbitrary bytes as a player's file, edited as the editor page edits it: the first
// bytes pick the edit (the setting and its numbers, or Reset all, or every fix), the rest
// is the file. An edit must change only that setting's line and the plugin must read the
// new value; Reset all must bring every setting to its default; every fix, all applied,
// must mend every error that has one and give each key the value its fix names. One edit
// an input: each is a few passes of the checker, and the fuzzer learns which is which.

#include "edit/text_encoding.hpp"
#include "editor/edit_properties.hpp"
#include "fuzz_invariants.hpp"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::size_t row = data[0] % hud::hud_setting_table.size();
    const std::string file(reinterpret_cast<const char*>(data) + 5, size - 5);
    if (editor::encoding_of(file) != editor::Encoding::eight_bit) return 0; // Save converts those
    std::string value;
    std::vector<double> numbers;
    if (hud::hud_setting_table[row].kind == hud::SettingKind::Float) {
        value = std::to_string(data[1]) + "." + std::to_string(data[2] % 10);
        numbers = {double(float((data[1] * 10 + data[2] % 10) / 10.0))};
    } else {
        for (int i = 0; i < hud::component_count(hud::hud_setting_table[row].kind); ++i) {
            value += i ? " " : "";
            value += std::to_string(data[1 + i]);
            numbers.push_back(data[1 + i]);
        }
    }
    const char* broken = nullptr;
    switch (data[0] / hud::hud_setting_table.size() % 3) {
    case 0:
        broken = edit_properties::edit_broken(file, checker::check_settings_bytes(file), row, value,
                                              numbers);
        break;
    case 1:
        broken = edit_properties::fix_broken(file, checker::check_settings_bytes(file));
        break;
    default:
        broken = edit_properties::reset_broken(file);
    }
    if (broken) fuzz::fail(broken);
    return 0;
}
