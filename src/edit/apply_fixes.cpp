#include "edit/apply_fixes.hpp"

#include "common/byte_order_mark.hpp"
#include "edit/text_encoding.hpp"
#include "ini_rules/text_mode.hpp"

#include <algorithm>
#include <optional>
#include <vector>

namespace editor {
namespace {

using checker::Fix;
using checker::FixAction;

struct LineSpan {
    std::size_t start, end; // the line's text, without its line end
    std::size_t after;      // past its line end
};

// The span of line `number` (1-based), if the file has it before its first Ctrl-Z.
std::optional<LineSpan> line_span(std::string_view bytes, int number) {
    const std::size_t stop = std::min(bytes.find(checker::end_of_file_mark), bytes.size());
    std::size_t start = 0;
    for (int line = 1; line < number; ++line) {
        const std::size_t feed = bytes.substr(0, stop).find('\n', start);
        if (feed == std::string_view::npos) return std::nullopt;
        start = feed + 1;
    }
    if (number < 1) return std::nullopt;
    if (number == 1 && starts_with_byte_order_mark(bytes)) start = byte_order_mark.size();
    const std::size_t feed = bytes.substr(0, stop).find('\n', start);
    if (feed == std::string_view::npos) return LineSpan{start, stop, stop};
    const std::size_t end = feed > start && bytes[feed - 1] == '\r' ? feed - 1 : feed;
    return LineSpan{start, end, feed + 1};
}

std::string spliced(std::string_view bytes, std::size_t at, std::size_t removed,
                    std::string_view text) {
    std::string out{bytes.substr(0, at)};
    out += text;
    out += bytes.substr(at + removed);
    return out;
}

std::string deleted_line(std::string_view bytes, const LineSpan& line) {
    if (line.after > line.end) return spliced(bytes, line.start, line.after - line.start, "");
    // The last line, with no end of its own: the line end before it goes with it.
    std::size_t from = line.start;
    if (from > 0 && bytes[from - 1] == '\n') {
        --from;
        if (from > 0 && bytes[from - 1] == '\r') --from;
    }
    return spliced(bytes, from, line.end - from, "");
}

std::string appended_line(std::string_view bytes, std::string_view text) {
    const std::size_t at = std::min(bytes.find(checker::end_of_file_mark), bytes.size());
    const std::string eol{line_end_of(bytes)};
    std::string line;
    if (at > 0 && bytes[at - 1] != '\n') line = bytes[at - 1] == '\r' ? "\n" : eol;
    return spliced(bytes, at, 0, line + std::string{text} + eol);
}

std::string with_line_feeds(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) out += '\n';
    }
    return out;
}

bool line_action(FixAction action) {
    return action == FixAction::replace_line || action == FixAction::delete_line ||
           action == FixAction::comment_line;
}

// The order fixes are applied in; the same for every report.
int stage(FixAction action) {
    switch (action) {
    case FixAction::replace_line:
    case FixAction::delete_line:
    case FixAction::comment_line:
        return 0;
    case FixAction::append_line:
        return 1;
    case FixAction::line_ends:
        return 2;
    case FixAction::remove_ctrl_z:
        return 3;
    case FixAction::remove_mark:
        return 4;
    case FixAction::convert:
        return 5;
    case FixAction::rename:
    case FixAction::delete_file:
        return 6;
    }
    return 6;
}

} // namespace

std::string_view line_end_of(std::string_view bytes) {
    const bool lf_only =
        bytes.find("\r\n") == std::string_view::npos && bytes.find('\n') != std::string_view::npos;
    return lf_only ? "\n" : "\r\n";
}

std::string apply_fix(std::string_view bytes, const Fix& fix) {
    if (line_action(fix.action)) {
        const auto line = line_span(bytes, fix.line);
        if (!line) return std::string{bytes};
        if (fix.action == FixAction::replace_line)
            return spliced(bytes, line->start, line->end - line->start, fix.text);
        if (fix.action == FixAction::comment_line) return spliced(bytes, line->start, 0, "; ");
        return deleted_line(bytes, *line);
    }
    switch (fix.action) {
    case FixAction::append_line:
        return appended_line(bytes, fix.text);
    case FixAction::remove_mark:
        return std::string{starts_with_byte_order_mark(bytes) ? bytes.substr(byte_order_mark.size())
                                                              : bytes};
    case FixAction::remove_ctrl_z: {
        std::string out{bytes};
        std::erase(out, checker::end_of_file_mark);
        return out;
    }
    case FixAction::line_ends:
        return with_line_feeds(bytes);
    case FixAction::convert:
        return plugin_readable(bytes);
    default:
        return std::string{bytes};
    }
}

std::string apply_fixes(std::string_view bytes, std::span<const Fix> fixes) {
    std::vector<const Fix*> order;
    for (const Fix& fix : fixes) {
        // One fix a line, and each change of the whole file once.
        const bool again = std::any_of(order.begin(), order.end(), [&](const Fix* other) {
            return line_action(fix.action) ? line_action(other->action) && other->line == fix.line
                                           : *other == fix;
        });
        if (!again) order.push_back(&fix);
    }
    std::stable_sort(order.begin(), order.end(), [](const Fix* a, const Fix* b) {
        if (stage(a->action) != stage(b->action)) return stage(a->action) < stage(b->action);
        return stage(a->action) == 0 && a->line > b->line;
    });
    std::string out{bytes};
    for (const Fix* fix : order)
        out = apply_fix(out, *fix);
    return out;
}

} // namespace editor
