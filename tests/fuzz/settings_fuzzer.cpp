// Arbitrary bytes as the settings file: the reader, every accessor on every table key
// and on keys taken from the input, the whole pass against the recording writer, and
// the checker, which must agree with the pass.

#include "config/settings_file.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "hud/recolour_pass.hpp"
#include "ini_check.hpp"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& scratch_path() {
    static const std::string path = "/tmp/tessivar-fuzz-" + std::to_string(getpid()) + ".ini";
    return path;
}

void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void query_everything(const config::SettingsFile& file, const char* key) {
    file.get_rgb(key, 1, 2, 3);
    const auto rgba = file.get_rgba(key, 1, 2, 3);
    if (!file.find(key) && rgba.alpha != 255) fail("absent key lost its alpha default");
    file.get_int(key, 7);
    file.get_float(key, 0.5f);
}

void check_pass(const config::SettingsFile& file) {
    hud::RecordingWriter writer;
    hud::apply_settings(file, writer);
    if (writer.writes().size() > hud::hud_write_count) fail("more than 92 writes");
    int reals = 0;
    std::size_t next = 0; // writes follow the table's order of targets
    for (const auto& write : writer.writes()) {
        reals += write.kind == hud::RecordedWrite::Kind::real;
        bool found = false;
        for (; next < hud::hud_setting_table.size() * 4 && !found; ++next) {
            const auto& row = hud::hud_setting_table[next / 4];
            found = static_cast<int>(next % 4) < hud::component_count(row.kind) &&
                    row.targets[next % 4] == write.address;
        }
        if (!found) fail("a write out of table order");
    }
    if (reals != 3) fail("the three sizes are always written");
}

void check_checker(const config::SettingsFile& file) {
    const auto report = checker::check_settings_file(scratch_path());
    if (!report) fail("checker could not read the file the plugin read");
    hud::RecordingWriter pass;
    hud::apply_settings(file, pass);
    std::vector<hud::RecordedWrite> said;
    for (const auto& setting : report->settings)
        for (const auto& write : setting.writes)
            if (write) said.push_back(*write);
    if (said != pass.writes()) fail("checker and pass disagree");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::FILE* out = std::fopen(scratch_path().c_str(), "wb");
        if (!out) return 0;
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    const config::SettingsFile file{scratch_path().c_str()};
    for (const auto& row : hud::hud_setting_table)
        query_everything(file, row.key);

    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        query_everything(file, line.substr(0, line.find('=')).c_str());
        start = end + 1;
    }
    check_pass(file);
    check_checker(file);

    // The same bytes as an executable path, for the location step.
    config::store_settings_path(
        config::find_settings_file(text.substr(0, 400), [](const char*) { return false; }).path);
    config::store_settings_path(scratch_path());
    hud::RecordingWriter writer;
    hud::recolour_from_settings_path(writer);
    return 0;
}
