// Arbitrary bytes as the settings file, through the checker: it must not fail, every
// finding has its words and a fix of its own line, and what it says will be written must
// follow from what it says the plugin reads: each component at its table address,
// written exactly when it lies in 0..255, with that value; a size always. The values
// come from the accessors and the writes from the pass, two ways through the plugin's
// code that must agree.

#include "findings/render.hpp"
#include "fuzz_invariants.hpp"
#include "ini_rules/ini_check.hpp"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

void check_setting(const checker::SettingReport& setting) {
    const auto& row = hud::hud_setting_table[setting.row];
    const auto count = static_cast<std::size_t>(hud::component_count(row.kind));
    if (setting.parsed.size() != count || setting.writes.size() != count)
        fuzz::fail("a component count that is not the table's");
    for (std::size_t i = 0; i < count; ++i) {
        const double value = setting.parsed[i];
        const auto& write = setting.writes[i];
        if (row.kind == hud::SettingKind::Float) {
            const float real = static_cast<float>(value);
            if (!write || write->kind != hud::RecordedWrite::Kind::real ||
                std::memcmp(&write->real, &real, sizeof real) != 0)
                fuzz::fail("a size not written as read");
        } else if (value >= 0 && value <= 255) {
            if (!write || write->kind != hud::RecordedWrite::Kind::byte || write->byte != value)
                fuzz::fail("a component in 0..255 not written as read");
        } else if (write) {
            fuzz::fail("a component outside 0..255 written");
        }
        if (write && write->address != row.targets[i]) fuzz::fail("a write off its target");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto report = checker::check_settings_bytes(bytes);
    for (std::size_t row = 0; row < report.settings.size(); ++row) {
        if (report.settings[row].row != row) fuzz::fail("a setting out of table order");
        check_setting(report.settings[row]);
    }
    for (const auto& finding : report.findings) {
        const auto& advice = checker::rule_text(finding.rule).advice;
        if (!checker::fills_every_place(finding) || finding.advice < 0 ||
            static_cast<std::size_t>(finding.advice) >= advice.size() ||
            advice[finding.advice].empty())
            fuzz::fail("a finding without its words, or with a place no argument fills");
        if (finding.fix && finding.fix->action == checker::FixAction::replace_line &&
            (finding.fix->line != finding.line ||
             finding.fix->text.find_first_of("\r\n") != std::string::npos))
            fuzz::fail("a line's fix off its line, or more than one line");
    }
    return 0;
}
