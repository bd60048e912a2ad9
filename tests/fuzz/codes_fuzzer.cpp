// Arbitrary bytes as the 34 settings the plugin writes (a byte, or nothing, per byte
// component; a size's bits), through a colour code and back, and through the ini made
// from them and the plugin's own pass: both must give back exactly those settings. The
// bytes as a pasted code are read without harm, and refused with words.

#include "colour/share_code.hpp"
#include "fuzz_invariants.hpp"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// Per byte component its byte and, in the next one's lowest bit, "not written"; per size
// its four bytes; in table order, zeros past the input's end.
checker::WrittenSettings settings_from(const std::uint8_t* data, std::size_t size) {
    checker::WrittenSettings settings{};
    std::size_t at = 0;
    const auto next = [&] { return at < size ? data[at++] : std::uint8_t{0}; };
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const auto kind = hud::hud_setting_table[row].kind;
        if (kind == hud::SettingKind::Float) {
            for (int b = 0; b < 4; ++b)
                settings[row].real_bits |= std::uint32_t{next()} << (8 * b);
            continue;
        }
        for (int c = 0; c < hud::component_count(kind); ++c) {
            const std::uint8_t byte = next();
            if (!(next() & 1)) settings[row].bytes[c] = byte;
        }
    }
    return settings;
}

// A NaN size's payload, which no ini text carries, comes back as the reader's NaN.
checker::WrittenSettings without_nan_payloads(checker::WrittenSettings settings) {
    for (auto& setting : settings)
        if ((setting.real_bits & 0x7F800000u) == 0x7F800000u && (setting.real_bits & 0x7FFFFFu))
            setting.real_bits = (setting.real_bits & 0x80000000u) | 0x7FC00000u;
    return settings;
}

// What the plugin's own pass, with its own store, writes for `ini`.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto settings = settings_from(data, size);
    const std::string code = checker::share_code(settings);
    if (code.size() != checker::share_code_length) fuzz::fail("a code of another length");
    const auto reading = checker::read_share_code(code);
    if (!reading.settings || *reading.settings != settings) fuzz::fail("code does not round-trip");
    const std::string made = checker::written_settings_ini(settings, "fuzz");
    if (without_nan_payloads(pass_writes(made)) != without_nan_payloads(settings))
        fuzz::fail("ini made from a code does not round-trip");
    const auto pasted =
        checker::read_share_code(std::string_view{reinterpret_cast<const char*>(data), size});
    if (!pasted.settings && pasted.problem.empty()) fuzz::fail("a refusal without words");
    return 0;
}
