#include "config/settings_file.hpp"

#include "common/file_closer.hpp"
#include "config/settings_path.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace config {

std::array<char, path_capacity> settings_path{};

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_value_tail(char c) {
    return is_blank(c) || c == '\r' || c == '\n';
}

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

std::int32_t saturated(long long value) {
    constexpr long long low = std::numeric_limits<std::int32_t>::min();
    constexpr long long high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < low ? low : value > high ? high : value);
}

} // namespace

int scan_integers(const char* text, std::int32_t* out, int count, const char** end) {
    int fields = 0;
    const char* at = text;
    while (fields < count) {
        const char* field = at;
        while (is_space(*field))
            ++field;
        const bool negative = *field == '-';
        if (*field == '+' || *field == '-') ++field;
        if (!is_digit(*field)) break;
        long long value = 0;
        for (; is_digit(*field); ++field)
            if (value <= std::numeric_limits<std::int32_t>::max())
                value = value * 10 + (*field - '0');
        out[fields++] = saturated(negative ? -value : value);
        at = field;
    }
    if (end) *end = at;
    return fields;
}

std::optional<SettingsEntry> parse_settings_piece(const char* piece) {
    const char* start = piece;
    while (is_blank(*start))
        ++start;
    if (*start == '\0' || *start == '\n' || *start == '#' || *start == ';') return std::nullopt;
    const char* equals = std::strchr(start, '=');
    if (!equals) return std::nullopt;

    const char* key_end = equals;
    while (key_end > start && is_blank(key_end[-1]))
        --key_end;

    const char* value = equals + 1;
    while (is_blank(*value))
        ++value;
    const char* value_end = value + std::strlen(value);
    while (value_end > value && is_value_tail(value_end[-1]))
        --value_end;

    return SettingsEntry{{start, static_cast<std::size_t>(key_end - start)},
                         {value, static_cast<std::size_t>(value_end - value)}};
}

SettingsFile::SettingsFile() : SettingsFile(settings_path.data()) {}

struct SettingsFile::Inserter {
    SettingsFile& file;
    void operator()(const char*, const std::optional<SettingsEntry>& entry) const {
        if (entry) file.insert_or_replace(entry->key, entry->value);
    }
};

SettingsFile::SettingsFile(const char* path) {
    if (!path || *path == '\0') return;
    const UniqueFile file{std::fopen(path, "r")};
    if (file) for_each_settings_piece(file.get(), Inserter{*this});
}

SettingsFile SettingsFile::from_stream(std::FILE* stream) {
    SettingsFile file{static_cast<const char*>(nullptr)};
    if (stream) for_each_settings_piece(stream, Inserter{file});
    return file;
}

SettingsFile SettingsFile::from_text(std::string_view text) {
    SettingsFile file{static_cast<const char*>(nullptr)};
    for_each_settings_piece(text, Inserter{file});
    return file;
}

void SettingsFile::insert_or_replace(std::string_view key, std::string_view value) {
    const auto found = entries_.find(key);
    if (found != entries_.end())
        found->second.assign(value);
    else
        entries_.emplace(std::string{key}, std::string{value});
}

std::optional<std::string_view> SettingsFile::find(std::string_view key) const {
    const auto found = entries_.find(key);
    if (found == entries_.end()) return std::nullopt;
    return std::string_view{found->second};
}

const char* SettingsFile::value_text(std::string_view key) const {
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : found->second.c_str();
}

ColorRgb SettingsQueries::get_rgb(const char* key, std::int32_t red, std::int32_t green,
                                  std::int32_t blue) const {
    const char* value = value_text(key);
    if (!value) return {red, green, blue};
    std::int32_t read[3] = {0, 0, 0};
    scan_integers(value, read, 3);
    return {read[0], read[1], read[2]};
}

ColorRgba SettingsQueries::get_rgba(const char* key, std::int32_t red, std::int32_t green,
                                    std::int32_t blue) const {
    const char* value = value_text(key);
    if (!value) return {red, green, blue, 255};
    std::int32_t read[4] = {0, 0, 0, 255};
    scan_integers(value, read, 4);
    return {read[0], read[1], read[2], read[3]};
}

std::int32_t SettingsQueries::get_int(const char* key, std::int32_t fallback) const {
    const char* value = value_text(key);
    if (!value) return fallback;
    // atoi's meaning, saturating at the 32-bit limits on every platform.
    std::int32_t read = 0;
    scan_integers(value, &read, 1);
    return read;
}

float SettingsQueries::get_float(const char* key, float fallback) const {
    const char* value = value_text(key);
    if (!value) return fallback;
    // strtod rather than the runtime's atof: the same meaning, but the C standard's
    // forms (infinity, NaN, hexadecimal) are accepted everywhere.
    return static_cast<float>(std::strtod(value, nullptr));
}

namespace {

// A piece of one of the kept keys replaces that key's value; any other is passed over.
void keep_piece(const char* piece, std::span<KeptSetting> kept) noexcept {
    const auto entry = parse_settings_piece(piece);
    if (!entry) return;
    for (KeptSetting& setting : kept) {
        if (entry->key != setting.key) continue;
        // A value lies inside its piece, so it always fits.
        std::memcpy(setting.value, entry->value.data(), entry->value.size());
        setting.value[entry->value.size()] = '\0';
        setting.present = true;
        return;
    }
}

} // namespace

void keep_settings_from_file(const char* path, std::span<KeptSetting> kept) noexcept {
    if (!path || *path == '\0') return;
    std::FILE* const file = std::fopen(path, "r");
    if (!file) return;
    char piece[line_buffer_size];
    for (int read = 0; read < pass_piece_limit && std::fgets(piece, sizeof piece, file); ++read)
        keep_piece(piece, kept);
    std::fclose(file);
}

void keep_settings_from_text(std::string_view text, std::span<KeptSetting> kept) noexcept {
    char piece[line_buffer_size];
    for (int read = 0; read < pass_piece_limit && cut_settings_piece(text, piece); ++read)
        keep_piece(piece, kept);
}

} // namespace config
