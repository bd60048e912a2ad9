#pragma once
// One thing the checker found, ini or install, as data: the rule it breaks (a stable
// code), how much it matters, what it is about, the named arguments its sentence is made
// from, and the fix as an action. Its sentence is made by the renderer alone; nothing
// reads a finding's words back.

#include "findings/rules.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace checker {

// How an install finding weighs on the answer to "will my colours apply?".
enum class Weight {
    blocks, // they will not: No
    unsure, // the checker cannot tell
    none,
};

// One item of a list argument: a phrase of the checker's own (translated) and a text as
// found, either of them empty ("red" and "300", or only a key).
struct ListItem {
    std::string_view term;
    std::string text;
};

// A named argument of a finding's sentence.
struct Arg {
    enum class Kind {
        text,     // as found in a file, a name or a path: escaped wherever it is shown
        term,     // one of the checker's own phrases, translated, itself with placeholders
        list,     // texts joined as the language joins a list ("a, b and c")
        rendered, // a sentence the renderer made already (and escaped): put in as it is
    };
    std::string_view name;
    Kind kind = Kind::text;
    std::string text;            // text; for a term, its English phrase
    std::vector<ListItem> items; // list
};

using Args = std::vector<Arg>;

inline Arg text_arg(std::string_view name, std::string text) {
    return {name, Arg::Kind::text, std::move(text), {}};
}
inline Arg text_arg(std::string_view name, std::string_view text) {
    return text_arg(name, std::string{text});
}
inline Arg text_arg(std::string_view name, const char* text) {
    return text_arg(name, std::string{text});
}
inline Arg number_arg(std::string_view name, long long number) {
    return {name, Arg::Kind::text, std::to_string(number), {}};
}
inline Arg term_arg(std::string_view name, std::string_view phrase) {
    return {name, Arg::Kind::term, std::string{phrase}, {}};
}
inline Arg rendered_arg(std::string_view name, std::string sentence) {
    return {name, Arg::Kind::rendered, std::move(sentence), {}};
}
inline Arg list_arg(std::string_view name, std::vector<ListItem> items) {
    return {name, Arg::Kind::list, {}, std::move(items)};
}
inline Arg list_arg(std::string_view name, const std::vector<std::string>& texts) {
    std::vector<ListItem> items;
    for (const std::string& text : texts)
        items.push_back({{}, text});
    return list_arg(name, std::move(items));
}

enum class FixAction {
    replace_line,  // line `line` of `file` becomes `text` (its line end stays)
    delete_line,   // line `line` of `file` goes, with its line end
    append_line,   // `text` as a new line at the end of what the plugin reads of `file`
    comment_line,  // "; " before line `line` of `file`
    remove_mark,   // the UTF-8 byte-order mark at the start of `file` goes
    remove_ctrl_z, // every Ctrl-Z (0x1A) of `file` goes, so the plugin reads past it
    line_ends,     // every carriage return alone in `file` gets its line feed
    convert,       // `file`, UTF-16, rewritten as UTF-8 with CR LF line ends
    rename,        // the file `from` becomes `to` (paths from the game folder)
    delete_file,   // the file `from` goes
};

std::string_view action_name(FixAction action); // "replace-line", ...

struct Fix {
    FixAction action;
    std::string file; // the ini the line actions are about; filled in by the report
    int line = 0;     // 1-based, as the checker counts lines
    std::string text;
    std::string from, to;

    friend bool operator==(const Fix&, const Fix&) = default;
};

inline Fix line_fix(FixAction action, int line, std::string text = {}) {
    return {action, {}, line, std::move(text), {}, {}};
}
inline Fix file_fix(FixAction action) {
    return {action, {}, 0, {}, {}, {}};
}
inline Fix path_fix(FixAction action, std::string from, std::string to = {}) {
    return {action, {}, 0, {}, std::move(from), std::move(to)};
}

struct Finding {
    Rule rule = Rule::reads_as_written;
    Severity severity = Severity::info;
    Weight weight = Weight::none;
    int line = 0;     // 1-based; 0 for none
    std::string key;  // the table key it is about, if any
    std::string file; // the file it is about, if any
    Args args;
    std::optional<Fix> fix;
    int advice = 0; // which of the rule's advice texts applies

    const Arg* arg(std::string_view name) const;
};

using Findings = std::vector<Finding>;

// A finding of `rule` with the rule's own severity.
Finding make_finding(Rule rule, int line, Args args);

std::string_view severity_name(Severity severity); // "error", "warning", "info"

} // namespace checker
