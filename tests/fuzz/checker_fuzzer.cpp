// Arbitrary bytes as the settings file, through the checker: it must not fail, every
// finding has its words, and what it says will be written must follow from what it says
// the plugin reads: each component at its table address, written exactly when it lies
// in 0..255, with that value; a size always. The values come from the accessors and the
// writes from the pass, two ways through the plugin's code that must agree. Whatever
// the file, its colour code and the ini made from that code give back exactly what the
// plugin writes; the bytes as a pasted code are read without harm.

#include "colour/share_code.hpp"
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

// The same but for a NaN size's payload, which no ini text carries.
checker::WrittenSettings without_nan_payloads(checker::WrittenSettings settings) {
    for (auto& setting : settings)
        if ((setting.real_bits & 0x7F800000u) == 0x7F800000u && (setting.real_bits & 0x7FFFFFu))
            setting.real_bits = (setting.real_bits & 0x80000000u) | 0x7FC00000u;
    return settings;
}

// What the plugin's own pass, with its own store, writes for `ini`: a way to the writes
// that does not go through the checker, and much cheaper than checking the made ini.
checker::WrittenSettings pass_writes(const std::string& ini) {
    config::KeptSettings<hud::hud_setting_count> file{hud::hud_setting_keys};
    file.read_text(ini);
    hud::RecordingWriter writer;
    hud::apply_settings(file, writer);
    checker::WrittenSettings out{};
    std::size_t row = 0;
    int component = 0;
    // The writes come in table order, one per in-range component, so one walk matches them.
    for (const auto& write : writer.writes()) {
        while (row < hud::hud_setting_table.size() &&
               hud::hud_setting_table[row].targets[component] != write.address)
            if (++component == hud::component_count(hud::hud_setting_table[row].kind)) {
                component = 0;
                ++row;
            }
        if (row == hud::hud_setting_table.size()) fuzz::fail("a write off the table");
        if (write.kind == hud::RecordedWrite::Kind::real)
            std::memcpy(&out[row].real_bits, &write.real, sizeof write.real);
        else
            out[row].bytes[component] = write.byte;
    }
    return out;
}

void check_codes(const checker::CheckReport& report, std::string_view bytes) {
    const auto written = checker::written_settings(report);
    const auto reading = checker::read_share_code(checker::share_code(written));
    if (!reading.settings || *reading.settings != written) fuzz::fail("code does not round-trip");
    const std::string made = checker::written_settings_ini(written, "fuzz");
    if (without_nan_payloads(pass_writes(made)) != without_nan_payloads(written))
        fuzz::fail("ini made from a code does not round-trip");
    const auto pasted = checker::read_share_code(bytes);
    if (!pasted.settings && pasted.problem.empty()) fuzz::fail("a refusal without words");
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
        if (!checker::fills_every_place(finding) ||
            checker::advice_of(finding, checker::english()).empty())
            fuzz::fail("a finding without its words, or with a place no argument fills");
        if (finding.fix && finding.fix->action == checker::FixAction::replace_line &&
            (finding.fix->line != finding.line ||
             finding.fix->text.find_first_of("\r\n") != std::string::npos))
            fuzz::fail("a line's fix off its line, or more than one line");
    }
    check_codes(report, bytes);
    return 0;
}
