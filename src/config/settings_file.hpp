#pragma once
// The settings file: key=value lines read in one go into an exact-match store, and
// the typed queries the recolour pass asks of it.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace config {

struct ColorRgb {
    std::int32_t red, green, blue;
};

struct ColorRgba {
    std::int32_t red, green, blue, alpha;
};

// The reader takes at most this many bytes per read (a 256-byte buffer, fgets style);
// a longer line arrives in pieces.
inline constexpr int line_buffer_size = 256;

struct SettingsEntry {
    std::string_view key;
    std::string_view value;
};

// One piece as the reader sees it: the entry it stores, or nothing for a comment,
// a blank line or a line without "=". The views point into `piece`.
std::optional<SettingsEntry> parse_settings_piece(const char* piece);

// Reads `file` piece by piece, exactly as the store does, handing each piece and its
// parse to `visit(const char* piece, const std::optional<SettingsEntry>&)`.
template <class Visitor>
void for_each_settings_piece(std::FILE* file, Visitor&& visit) {
    char buffer[line_buffer_size];
    while (std::fgets(buffer, sizeof buffer, file))
        visit(buffer, parse_settings_piece(buffer));
}

// Cuts the next piece off `text` into `buffer` as fgets would cut it: at most 255
// bytes, ending after a line feed. False when the text is used up.
inline bool cut_settings_piece(std::string_view& text, char (&buffer)[line_buffer_size]) {
    if (text.empty()) return false;
    const std::string_view most = text.substr(0, line_buffer_size - 1);
    const std::size_t feed = most.find('\n');
    const std::size_t length = feed == std::string_view::npos ? most.size() : feed + 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    text.remove_prefix(length);
    return true;
}

// The same over text already in memory, cut as fgets would cut it; a piece is seen
// up to its first NUL.
template <class Visitor>
void for_each_settings_piece(std::string_view text, Visitor&& visit) {
    char buffer[line_buffer_size];
    while (cut_settings_piece(text, buffer))
        visit(static_cast<const char*>(buffer), parse_settings_piece(buffer));
}

// Reads up to `count` decimal integers the way the pattern "%d %d ..." of formatted
// input does: each skips white space, takes an optional sign and the digits after it,
// and reading stops at the first field that is not a number. Values beyond 32 bits
// saturate. Returns how many fields were read; `end` receives where reading stopped.
int scan_integers(const char* text, std::int32_t* out, int count, const char** end = nullptr);

// The typed queries, over any store that can give the text of a key's value.
class SettingsQueries {
public:
    ColorRgb get_rgb(const char* key, std::int32_t red, std::int32_t green,
                     std::int32_t blue) const;
    ColorRgba get_rgba(const char* key, std::int32_t red, std::int32_t green,
                       std::int32_t blue) const;
    std::int32_t get_int(const char* key, std::int32_t fallback) const;
    float get_float(const char* key, float fallback) const;

protected:
    SettingsQueries() = default;
    SettingsQueries(const SettingsQueries&) = default;
    SettingsQueries& operator=(const SettingsQueries&) = default;
    ~SettingsQueries() = default;

private:
    // The value of `key` as NUL-terminated text, or null when the key is absent.
    virtual const char* value_text(std::string_view key) const = 0;
};

// Every key=value of the file, whatever its size: what the checker and the editor see.
class SettingsFile final : public SettingsQueries {
public:
    // Reads the file named by settings_path; a missing or unreadable file gives an
    // empty store.
    SettingsFile();
    explicit SettingsFile(const char* path);
    // From a stream already open for reading, read the plugin's way.
    static SettingsFile from_stream(std::FILE* file);
    // From the text the reader would get from the file.
    static SettingsFile from_text(std::string_view text);

    std::optional<std::string_view> find(std::string_view key) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Inserter;
    void insert_or_replace(std::string_view key, std::string_view value);
    const char* value_text(std::string_view key) const override;

    std::map<std::string, std::string, std::less<>> entries_;
};

// The plugin's pass reads at most this many pieces of the file (a line of up to 255
// bytes is one piece; a longer line, one piece per 255 bytes) and ignores the rest, as
// if the file ended there. A real ini has a few dozen lines; the bound keeps the time of
// a pass small whatever file is put in the ini's place.
inline constexpr int pass_piece_limit = 10000;

// One key the pass asks for, with the value of its last line (when it has one).
struct KeptSetting {
    const char* key = nullptr;
    bool present = false;
    char value[line_buffer_size] = {};
};

// Fill `kept` from the first pass_piece_limit pieces of the file (or the text): only
// the keys it names are kept, the last line of each wins, every other line is passed
// over. Nothing is allocated and nothing thrown, so memory that runs out elsewhere in
// the game cannot stop the pass.
void keep_settings_from_file(const char* path, std::span<KeptSetting> kept) noexcept;
void keep_settings_from_text(std::string_view text, std::span<KeptSetting> kept) noexcept;

// A store of a fixed set of keys, in storage of its own, for the plugin's pass: what it
// holds does not grow with the file.
template <std::size_t count>
class KeptSettings final : public SettingsQueries {
public:
    explicit KeptSettings(const std::array<const char*, count>& keys) noexcept {
        for (std::size_t i = 0; i < count; ++i)
            kept_[i].key = keys[i];
    }
    void read_file(const char* path) noexcept { keep_settings_from_file(path, kept_); }
    void read_text(std::string_view text) noexcept { keep_settings_from_text(text, kept_); }

    std::optional<std::string_view> find(std::string_view key) const {
        const char* value = value_text(key);
        return value ? std::optional<std::string_view>{value} : std::nullopt;
    }

private:
    const char* value_text(std::string_view key) const override {
        for (const KeptSetting& setting : kept_)
            if (setting.present && key == setting.key) return setting.value;
        return nullptr;
    }

    std::array<KeptSetting, count> kept_{};
};

} // namespace config
