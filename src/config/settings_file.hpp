#pragma once
// The settings file: key=value lines read in one go into an exact-match store, and
// the typed queries the recolour pass asks of it.

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
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

// The same over text already in memory, cut as fgets would cut it: at most 255 bytes
// a piece, ending after a line feed; a piece is seen up to its first NUL.
template <class Visitor>
void for_each_settings_piece(std::string_view text, Visitor&& visit) {
    char buffer[line_buffer_size];
    while (!text.empty()) {
        std::size_t length = 0;
        while (length < line_buffer_size - 1 && length < text.size()) {
            buffer[length] = text[length];
            if (text[length++] == '\n') break;
        }
        buffer[length] = '\0';
        text.remove_prefix(length);
        visit(static_cast<const char*>(buffer), parse_settings_piece(buffer));
    }
}

// Reads up to `count` decimal integers the way the pattern "%d %d ..." of formatted
// input does: each skips white space, takes an optional sign and the digits after it,
// and reading stops at the first field that is not a number. Values beyond 32 bits
// saturate. Returns how many fields were read; `end` receives where reading stopped.
int scan_integers(const char* text, std::int32_t* out, int count, const char** end = nullptr);

class SettingsFile {
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

    ColorRgb get_rgb(const char* key, std::int32_t red, std::int32_t green,
                     std::int32_t blue) const;
    ColorRgba get_rgba(const char* key, std::int32_t red, std::int32_t green,
                       std::int32_t blue) const;
    std::int32_t get_int(const char* key, std::int32_t fallback) const;
    float get_float(const char* key, float fallback) const;

private:
    struct Inserter;
    void insert_or_replace(std::string_view key, std::string_view value);

    std::map<std::string, std::string, std::less<>> entries_;
};

} // namespace config
