#include "check/key_findings.hpp"

#include "check/key_suggestion.hpp"
#include "check/printable.hpp"

#include <string>

namespace checker {
namespace {

Finding unknown_key_finding(const LineScan& scan, const std::string& key, int line) {
    const auto near = nearest_table_key(key);
    if (!near)
        return {line, "unknown key " + quoted(key),
                "the plugin does not use this key; remove the line"};
    const auto value = scan.values.find(key);
    const std::string paste = "write " + std::string{near->key} + "=" +
                              (value != scan.values.end() ? printable(value->second) : "");
    return {line, "unknown key " + quoted(key) + ": did you mean " + quoted(near->key) + "?",
            paste + " (" + std::string{near->cause} + ")"};
}

} // namespace

void check_keys(const LineScan& scan, std::vector<Finding>& findings) {
    for (const auto& [key, lines] : scan.occurrences) {
        if (!is_table_key(key) && !is_table_key_after_mark(key, lines))
            findings.push_back(unknown_key_finding(scan, key, lines.back()));
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            findings.push_back(
                {lines[i], quoted(key) + " again on line " + std::to_string(lines.back()),
                 "line " + std::to_string(lines.back()) + " wins; remove the others"});
    }
}

} // namespace checker
