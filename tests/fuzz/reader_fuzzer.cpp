// Arbitrary bytes as the settings file, read from memory through the plugin's own
// stream reader: every accessor on every table key and on keys taken from the input,
// the in-memory reader agreeing with the stream reader, and the whole pass.

#include "common/file_closer.hpp"
#include "fuzz_invariants.hpp"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

void query_everything(const config::SettingsFile& file, const char* key) {
    file.get_rgb(key, 1, 2, 3);
    const auto rgba = file.get_rgba(key, 1, 2, 3);
    if (!file.find(key) && rgba.alpha != 255) fuzz::fail("absent key lost its alpha default");
    file.get_int(key, 7);
    file.get_float(key, 0.5f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0; // fmemopen refuses an empty buffer
    const UniqueFile stream{
        fmemopen(const_cast<std::uint8_t*>(data), size, "r")};
    if (!stream) return 0;
    const auto file = config::SettingsFile::from_stream(stream.get());
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const auto& row : hud::hud_setting_table)
        query_everything(file, row.key);
    // Keys of the input's own lines, as the reader cut them.
    std::size_t entries = 0;
    config::for_each_settings_piece(text, [&](const char*, const auto& entry) {
        if (!entry) return;
        ++entries;
        const std::string key{entry->key};
        if (!file.find(key)) fuzz::fail("a stored key is missing");
        query_everything(file, key.c_str());
    });
    if (file.size() > entries) fuzz::fail("more entries than pieces with a key");
    if (fuzz::checked_pass(file) != fuzz::checked_pass(config::SettingsFile::from_text(text)))
        fuzz::fail("reading from memory and from a stream disagree");
    return 0;
}
