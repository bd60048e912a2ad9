// Arbitrary bytes as the settings file, through the checker: it must not fail, and
// what it says will be written must be what the pass writes for the same bytes read
// as the plugin reads them (Windows text mode).

#include "check/ini_check.hpp"
#include "check/text_mode.hpp"
#include "fuzz_invariants.hpp"

#include <cstdint>
#include <string_view>

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
    return 0;
}
