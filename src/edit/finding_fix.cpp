#include "edit/finding_fix.hpp"

#include "common/byte_order_mark.hpp"
#include "common/printable.hpp"

#include "config/settings_file.hpp"
#include "edit/ini_edit.hpp"
#include "edit/piece_edits.hpp"
#include "edit/reader_lines.hpp"
#include "edit/table_row.hpp"
#include "edit/text_encoding.hpp"
#include "hud/hud_setting_table.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/text_mode.hpp"

namespace editor {
namespace {

using Candidates = std::vector<FindingFix>;

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void add(Candidates& out, std::string_view label, std::vector<Splice> splices) {
    for (auto& splice : splices)
        out.push_back({std::string{label}, std::move(splice)});
}

// What the checker was looking at: the file's pieces with the facts it tells apart.
struct Scan {
    std::string_view bytes;
    ReaderLines lines;

    // A piece that continues a line the reader cut at 255 bytes.
    bool continuation(std::size_t index) const {
        if (index == 0) return false;
        const std::string seen = visible_text(bytes, lines.pieces[index - 1]);
        return seen.size() == 255 && seen.back() != '\n';
    }
    // The words of a piece without an entry, as the checker quotes them.
    std::string words(std::size_t index) const {
        const std::string seen = visible_text(bytes, lines.pieces[index]);
        std::string kept{trimmed(seen)};
        if (lines.pieces[index].line == 1 && starts_with_byte_order_mark(kept))
            kept = std::string{trimmed(std::string_view{kept}.substr(3))};
        return kept;
    }
    template <class Keep>
    std::vector<std::size_t> at_line(int line, Keep&& keep) const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < lines.pieces.size(); ++i)
            if (lines.pieces[i].line == line && keep(i, lines.pieces[i])) out.push_back(i);
        return out;
    }
};

Candidates value_fixes(const Scan& scan, const checker::Finding& finding) {
    const std::string line = offered_line(finding.suggestion);
    const std::string key = line.substr(0, line.find('='));
    const ReaderPiece* piece = winning_piece(scan.lines, key);
    if (line.empty() || !table_row(key) || !piece || piece->line != finding.line) return {};
    // The edit that changes nothing else first; then the ones that also end the line
    // where its "text after the numbers" is the player's next line (CR alone).
    Candidates out{{"write " + line, value_splice(scan.bytes, key, line.substr(key.size() + 1))}};
    add(out, "write " + line, replacements(scan.bytes, scan.lines, *piece, line));
    return out;
}

Candidates unknown_key_fixes(const Scan& scan, const checker::Finding& finding) {
    Candidates out;
    const std::string near = offered_line(finding.suggestion);
    const std::string near_key = near.substr(0, near.find('='));
    for (const std::size_t i : scan.at_line(finding.line, [&](std::size_t, const ReaderPiece& p) {
             return p.key && winning_piece(scan.lines, *p.key) == &p &&
                    starts_with(finding.message, "unknown key " + checker::quoted(*p.key));
         })) {
        const ReaderPiece& piece = scan.lines.pieces[i];
        if (!near.empty() && table_row(near_key) && !winning_piece(scan.lines, near_key)) {
            // The value comes along only when the intended key can use it as it is.
            const std::string carried = near_key + "=" + piece.value;
            if (checker::check_settings_bytes(carried + "\r\n").findings.empty())
                add(out, "write " + carried, replacements(scan.bytes, scan.lines, piece, carried));
            const std::string fallback =
                near_key + "=" + checker::default_text(row_index(*table_row(near_key)));
            add(out, "write " + fallback + " (the default)",
                replacements(scan.bytes, scan.lines, piece, fallback));
        }
        add(out, "comment the line out", comment_outs(scan.bytes, scan.lines, piece));
    }
    return out;
}

Candidates duplicate_fixes(const Scan& scan, const checker::Finding& finding) {
    Candidates out;
    for (const std::size_t i : scan.at_line(finding.line, [&](std::size_t, const ReaderPiece& p) {
             return p.key && winning_piece(scan.lines, *p.key) != &p &&
                    starts_with(finding.message, checker::quoted(*p.key) + " again on line ");
         }))
        add(out, "remove this line, which does not count",
            removals(scan.bytes, scan.lines, scan.lines.pieces[i]));
    return out;
}

// Section headers and lines without "=": the ones the checker names at that line.
Candidates line_without_entry_fixes(const Scan& scan, const checker::Finding& finding,
                                    bool header) {
    Candidates out;
    const std::string line = offered_line(finding.suggestion);
    const std::string key = line.substr(0, line.find('='));
    for (const std::size_t i :
         scan.at_line(finding.line, [&](std::size_t index, const ReaderPiece&p) {
             const std::string words = scan.words(index);
             return !p.key && !scan.continuation(index) && !words.empty() &&
                    (header ? words[0] == '['
                            : words[0] != '[' && words[0] != '#' && words[0] != ';');
         })) {
        const ReaderPiece& piece = scan.lines.pieces[i];
        if (!header && table_row(key))
            add(out, "write " + line, replacements(scan.bytes, scan.lines, piece, line));
        add(out, "comment the line out", comment_outs(scan.bytes, scan.lines, piece));
    }
    return out;
}

// A long line: without its trailing blanks, if that is short enough; else its first
// 254 bytes stay a line (the reader's whole first piece) and the rest becomes comments.
Candidates long_line_fixes(const Scan& scan, const checker::Finding& finding) {
    Candidates out;
    constexpr std::size_t line_room = config::line_buffer_size - 2; // and its line feed
    constexpr std::size_t comment_room = line_room - 2;             // after "; "
    const std::string eol{line_end_of(scan.bytes)};
    for (const std::size_t first :
         scan.at_line(finding.line, [&](std::size_t i, const ReaderPiece&) {
             return !scan.continuation(i) && i + 1 < scan.lines.pieces.size() &&
                    scan.continuation(i + 1);
         })) {
        const std::size_t start = scan.lines.pieces[first].start;
        std::size_t end = scan.bytes.find('\n', start);
        end = std::min(end == std::string_view::npos ? scan.lines.readable_end : end,
                       scan.lines.readable_end);
        if (end > start && scan.bytes[end - 1] == '\r') --end;
        const std::string_view line = scan.bytes.substr(start, end - start);
        const std::size_t kept = line.find_last_not_of(" \t") + 1;
        if (kept <= line_room)
            out.push_back({"remove the blanks at the end of the line",
                           {start + kept, line.size() - kept, ""}});
        std::string text{line.substr(0, line_room)};
        for (std::size_t at = line_room; at < line.size(); at += comment_room)
            text += eol + "; " + std::string{line.substr(at, comment_room)};
        out.push_back({"keep the first 254 bytes as the line, the rest as comments",
                       {start, line.size(), text}});
    }
    return out;
}

// "; " before every line that is not blank or a comment already.
std::string commented_lines(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        const std::string_view line =
            text.substr(0, feed == std::string_view::npos ? text.size() : feed + 1);
        const std::string_view words = trimmed(line);
        if (!words.empty() && words[0] != ';' && words[0] != '#') out += "; ";
        out += line;
        text.remove_prefix(line.size());
    }
    return out;
}

Candidates end_of_file_fixes(const Scan& scan) {
    const std::size_t mark = scan.lines.readable_end;
    if (mark >= scan.bytes.size()) return {};
    Candidates out{{"remove the Ctrl-Z", {mark, 1, ""}}};
    const std::string_view eol = line_end_of(scan.bytes);
    const std::string_view rest = scan.bytes.substr(mark + 1);
    const bool mid_line = mark > 0 && scan.bytes[mark - 1] != '\n' && !starts_with(rest, "\r\n") &&
                          !starts_with(rest, "\n");
    out.push_back({"remove the Ctrl-Z and comment out the lines after it, which the plugin "
                   "does not read",
                   {mark, scan.bytes.size() - mark,
                    std::string{mid_line ? eol : ""} + commented_lines(rest)}});
    return out;
}

Candidates file_fixes(const Scan& scan, const checker::Finding& finding) {
    const std::string_view bytes = scan.bytes;
    if (starts_with(finding.message, "the file is saved as UTF-16"))
        return {{"convert it to 8-bit text", {0, bytes.size(), plugin_readable(bytes)}}};
    if (starts_with(finding.message, "the file is empty"))
        return {{"fill it with the template", {0, scan.lines.readable_end, new_file()}}};
    if (starts_with(finding.message, "carriage returns but no line feeds")) {
        std::string text;
        for (const char c : bytes.substr(0, scan.lines.readable_end))
            text += c == '\r' ? std::string{"\r\n"} : std::string{c};
        return {{"end every line with CR LF", {0, scan.lines.readable_end, text}}};
    }
    return {};
}

Candidates candidates_for(const Scan& scan, const checker::Finding& finding) {
    const std::string& message = finding.message;
    if (finding.line == 0) return file_fixes(scan, finding);
    if (starts_with(message, "byte-order mark"))
        return {{"remove the byte-order mark", {0, 3, ""}}};
    if (starts_with(message, "a Ctrl-Z character")) return end_of_file_fixes(scan);
    if (starts_with(message, "line longer than 255 bytes")) return long_line_fixes(scan, finding);
    if (starts_with(message, "section header "))
        return line_without_entry_fixes(scan, finding, true);
    if (starts_with(message, "no \"=\" on this line"))
        return line_without_entry_fixes(scan, finding, false);
    if (starts_with(message, "unknown key ")) return unknown_key_fixes(scan, finding);
    if (message.find("\" again on line ") != std::string::npos)
        return duplicate_fixes(scan, finding);
    return value_fixes(scan, finding);
}

} // namespace

std::string offered_line(std::string_view suggestion) {
    if (!starts_with(suggestion, "write ") || suggestion.find('=') == std::string_view::npos)
        return {};
    std::string_view line = suggestion.substr(6);
    line = line.substr(0, line.find(" ("));
    line = line.substr(0, line.find(", or "));
    return std::string{line};
}

std::vector<std::optional<FindingFix>>
finding_fixes(std::string_view bytes, const checker::CheckReport& report, std::size_t budget) {
    std::vector<std::optional<FindingFix>> out(report.findings.size());
    if (budget < bytes.size() * 2) return out;
    const Scan scan{bytes, reader_lines(bytes)};
    std::size_t spent = bytes.size();
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        // Working out the candidates takes about a pass, checking each one another.
        spent += bytes.size();
        for (auto& candidate : candidates_for(scan, report.findings[i])) {
            spent += bytes.size();
            if (spent > budget) return out;
            const std::string after = applied(bytes, candidate.splice);
            if (checker::check_settings_bytes(after).findings.size() < report.findings.size()) {
                out[i] = std::move(candidate);
                break;
            }
        }
    }
    return out;
}

} // namespace editor
