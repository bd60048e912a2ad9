// Arbitrary bytes as the settings file, read from memory through the plugin's own
// stream reader: every accessor on every table key and on keys taken from the input,
// the in-memory reader agreeing with the stream reader, and the whole pass. The pass's
// own store allocates nothing at all and agrees with the full store.

#include "common/file_closer.hpp"
#include "fuzz_invariants.hpp"

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

std::atomic<std::size_t> allocations{0};

void count_allocation(const volatile void*, std::size_t) {
    ++allocations;
}
void ignore_free(const volatile void*) {}

const bool hooks_installed =
    __sanitizer_install_malloc_and_free_hooks(count_allocation, ignore_free) != 0;

using TableSettings = config::KeptSettings<hud::hud_setting_count>;

// The pass's store, read and queried: not one allocation, whatever the input.
void check_table_store(std::string_view text, const config::SettingsFile& full,
                       std::size_t pieces) {
    const std::size_t before = allocations.load();
    TableSettings kept{hud::hud_setting_keys};
    kept.read_text(text);
    for (const auto& row : hud::hud_setting_table) {
        kept.get_rgba(row.key, 1, 2, 3);
        kept.get_float(row.key, 0.5f);
    }
    if (hooks_installed && allocations.load() != before) fuzz::fail("the pass's store allocated");
    if (pieces <= static_cast<std::size_t>(config::pass_piece_limit) &&
        fuzz::checked_pass(kept) != fuzz::checked_pass(full))
        fuzz::fail("the pass's store and the full store disagree");
}

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
    const UniqueFile stream{fmemopen(const_cast<std::uint8_t*>(data), size, "r")};
    if (!stream) return 0;
    const auto file = config::SettingsFile::from_stream(stream.get());
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const auto& row : hud::hud_setting_table)
        query_everything(file, row.key);
    // Keys of the input's own lines, as the reader cut them.
    std::size_t entries = 0;
    std::size_t pieces = 0;
    config::for_each_settings_piece(text, [&](const char*, const auto& entry) {
        ++pieces;
        if (!entry) return;
        ++entries;
        const std::string key{entry->key};
        if (!file.find(key)) fuzz::fail("a stored key is missing");
        query_everything(file, key.c_str());
    });
    if (file.size() > entries) fuzz::fail("more entries than pieces with a key");
    if (fuzz::checked_pass(file) != fuzz::checked_pass(config::SettingsFile::from_text(text)))
        fuzz::fail("reading from memory and from a stream disagree");
    check_table_store(text, file, pieces);
    return 0;
}
