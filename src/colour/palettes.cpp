#include "colour/palettes.hpp"

namespace checker {

PaletteTitle palette_title(std::string_view bytes) {
    PaletteTitle title;
    std::string text;
    while (bytes.substr(0, 1) == ";") {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(1, end == std::string_view::npos ? end : end - 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        if (!text.empty()) text += ' ';
        text += line;
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    const std::size_t colon = text.find(": ");
    if (colon == std::string::npos) return {text, {}};
    return {text.substr(0, colon), text.substr(colon + 2)};
}

} // namespace checker
