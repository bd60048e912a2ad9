// Arbitrary bytes as the settings file, through the checker: it must not fail, and
// what it says will be written must be what the pass writes for the same bytes read
// as the plugin reads them (Windows text mode). Whatever the file, its colour code and
// the ini made from that code give back exactly what the plugin writes; the bytes as a
// pasted code are read without harm.

#include "fuzz_invariants.hpp"
#include "ini_check.hpp"
#include "share_code.hpp"
#include "text_mode.hpp"

#include <cstdint>
#include <string_view>

// The same but for a NaN size's payload, which no ini text carries.
checker::WrittenSettings without_nan_payloads(checker::WrittenSettings settings) {
    for (auto& setting : settings)
        if ((setting.real_bits & 0x7F800000u) == 0x7F800000u && (setting.real_bits & 0x7FFFFFu))
            setting.real_bits = (setting.real_bits & 0x80000000u) | 0x7FC00000u;
    return settings;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto report = checker::check_settings_bytes(bytes);
    if (report.settings.size() != hud::hud_setting_table.size()) fuzz::fail("not 34 settings");
    std::vector<hud::RecordedWrite> said;
    for (const auto& setting : report.settings)
        for (const auto& write : setting.writes)
            if (write) said.push_back(*write);
    const auto file = config::SettingsFile::from_text(checker::windows_text_mode(bytes));
    if (said != fuzz::checked_pass(file)) fuzz::fail("checker and pass disagree");
    for (const auto& finding : report.findings)
        if (finding.message.empty() || finding.suggestion.empty())
            fuzz::fail("a finding without its words");
    const auto written = checker::written_settings(report);
    const auto reading = checker::read_share_code(checker::share_code(written));
    if (!reading.settings || *reading.settings != written) fuzz::fail("code does not round-trip");
    const std::string made = checker::written_settings_ini(written, "fuzz");
    if (without_nan_payloads(checker::written_settings(checker::check_settings_bytes(made))) !=
        without_nan_payloads(written))
        fuzz::fail("ini made from a code does not round-trip");
    const auto pasted = checker::read_share_code(bytes);
    if (pasted.settings == std::nullopt && pasted.problem.empty())
        fuzz::fail("a refusal without words");
    return 0;
}
