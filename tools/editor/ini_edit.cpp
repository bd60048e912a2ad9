#include "ini_edit.hpp"

#include "config/settings_file.hpp"
#include "hud/hud_setting_table.hpp"
#include "check/template_ini.hpp"
#include "common/byte_order_mark.hpp"
#include "check/text_mode.hpp"

#include <vector>

namespace editor {
namespace {

// The file's lines without their ends; `ended` tells whether the last one had one.
struct Lines {
    std::vector<std::string> lines;
    bool ended = true;
};

Lines split(std::string_view bytes) {
    if (starts_with_byte_order_mark(bytes)) bytes.remove_prefix(byte_order_mark.size());
    Lines out;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r' && end != std::string_view::npos)
            line.remove_suffix(1);
        out.lines.emplace_back(line);
        if (end == std::string_view::npos) {
            out.ended = false;
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return out;
}

std::string join(const Lines& file) {
    std::string out;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        out += file.lines[i];
        if (i + 1 < file.lines.size() || file.ended) out += "\r\n";
    }
    return out;
}

// The line (0-based) the plugin takes `key` from, or -1. Lines are counted over what
// the plugin reads, which ends at a Ctrl-Z.
int line_of_key(std::string_view bytes, std::string_view key) {
    if (starts_with_byte_order_mark(bytes)) bytes.remove_prefix(byte_order_mark.size());
    const std::string text = checker::windows_text_mode(bytes);
    int line = 0, found = -1;
    config::for_each_settings_piece(std::string_view{text},
                                    [&](const char* piece, const auto& entry) {
                                        if (entry && entry->key == key) found = line;
                                        const std::string_view seen{piece};
                                        if (!seen.empty() && seen.back() == '\n') ++line;
                                    });
    return found;
}

} // namespace

std::string set_value(std::string_view bytes, std::string_view key, std::string_view value) {
    Lines file = split(bytes);
    const std::string entry = std::string{key} + "=" + std::string{value};
    const int line = line_of_key(bytes, key);
    if (line >= 0 && line < static_cast<int>(file.lines.size())) {
        file.lines[line] = entry;
        return join(file);
    }
    // Before the line holding a Ctrl-Z, if one ends the file early.
    std::size_t at = file.lines.size();
    for (std::size_t i = 0; i < file.lines.size(); ++i)
        if (file.lines[i].find(checker::end_of_file_mark) != std::string::npos) {
            at = i;
            break;
        }
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    if (at + 1 == file.lines.size()) file.ended = true;
    return join(file);
}

std::string replace_line(std::string_view bytes, int line, std::string_view text) {
    Lines file = split(bytes);
    if (line >= 1 && line <= static_cast<int>(file.lines.size()))
        file.lines[line - 1] = std::string{text};
    return join(file);
}

std::string reset_all(std::string_view bytes) {
    std::string out{bytes};
    for (std::size_t row = 0; row < hud::hud_setting_table.size(); ++row) {
        const char* key = hud::hud_setting_table[row].key;
        if (line_of_key(out, key) >= 0) out = set_value(out, key, checker::default_text(row));
    }
    return join(split(out));
}

std::string new_file() {
    return join(split(checker::template_ini()));
}

} // namespace editor
