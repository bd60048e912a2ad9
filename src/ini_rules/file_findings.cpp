#include "ini_rules/file_findings.hpp"

#include "common/byte_order_mark.hpp"
#include "common/trimmed.hpp"
#include "ini_rules/text_mode.hpp"

#include <algorithm>
#include <string>

namespace checker {
namespace {

// The one finding of a UTF-8 byte-order mark, naming the key it spoils.
Finding byte_order_mark_finding(const LineScan& scan) {
    std::string spoiled;
    for (const auto& [key, lines] : scan.occurrences)
        if (is_table_key_after_mark(key, lines)) spoiled = key.substr(byte_order_mark.size());
    const std::string message =
        spoiled.empty() ? "byte-order mark at the start of the file: the plugin reads it as "
                          "part of the first line"
                        : "byte-order mark at the start of the file: the first line's key is "
                          "not \"" +
                              spoiled + "\" to the plugin, so " + spoiled + " keeps its default";
    return {1, message,
            "save the file without it: in Notepad, Save As with Encoding \"ANSI\" "
            "(or \"UTF-8\", not \"UTF-8 with BOM\")"};
}

int line_count(std::string_view text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

bool looks_like_utf16(std::string_view bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) return true;
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 64) & ~std::size_t{1};
    if (sample < 8) return false;
    std::size_t even = 0, odd = 0;
    for (std::size_t i = 0; i < sample; ++i)
        (i % 2 ? odd : even) += bytes[i] == '\0';
    return even * 4 >= sample * 3 / 2 || odd * 4 >= sample * 3 / 2;
}

Finding utf16_finding() {
    return {0,
            "the file is saved as UTF-16 (Notepad's \"Unicode\"): the plugin finds no "
            "setting in it, and every setting takes its default",
            "in Notepad: File, Save As, Encoding \"ANSI\" or \"UTF-8\"; or write a new one "
            "with Tessivar.VC.check --template --output Tessivar.VC.ini"};
}

Finding empty_file_finding() {
    return {0, "the file is empty: every setting takes its default",
            "copy the lines you want to change from the template "
            "(Tessivar.VC.check --template)"};
}

std::vector<Finding> saving_findings(std::string_view bytes, std::string_view text,
                                     const LineScan& scan) {
    std::vector<Finding> findings;
    if (starts_with_byte_order_mark(bytes)) findings.push_back(byte_order_mark_finding(scan));
    if (const std::size_t stop = bytes.find(end_of_file_mark);
        stop != std::string_view::npos && !trimmed(bytes.substr(stop + 1)).empty())
        findings.push_back({line_count(text),
                            "a Ctrl-Z character (0x1A): the plugin stops reading the file there",
                            "remove it; the lines after it are not read"});
    if (text.find('\r') != std::string_view::npos && text.find('\n') == std::string_view::npos)
        findings.push_back({0, "carriage returns but no line feeds",
                            "the plugin reads the file as one line; save it with "
                            "Windows (CR LF) or Unix (LF) line ends"});
    return findings;
}

} // namespace checker
