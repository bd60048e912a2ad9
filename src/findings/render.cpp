#include "findings/render.hpp"

#include "common/printable.hpp"
#include "common/product_names.hpp"
#include "config/settings_path.hpp"

#include <charconv>
#include <optional>

namespace checker {
namespace {

class English final : public Catalogue {
public:
    std::string_view code() const override { return "en"; }
    std::string_view text(std::string_view english) const override { return english; }
    std::string_view plural(std::string_view singular, std::string_view plural,
                            unsigned long long count) const override {
        return count == 1 ? singular : plural;
    }
};

// The names any text may hold without an argument for them.
std::optional<std::string_view> product_name(std::string_view name) {
    if (name == "ini_name") return config::settings_file_name;
    if (name == "plugin_name") return plugin_file_name;
    if (name == "checker") return checker_command;
    return std::nullopt;
}

// Terms inside terms go this deep at most, whatever a translation holds.
constexpr int deepest_term = 4;

std::string fill(std::string_view text, const Args& args, const Catalogue& language, int depth);

std::string item_text(const ListItem& item, const Catalogue& language) {
    std::string text{item.term.empty() ? "" : language.text(item.term)};
    if (!text.empty() && !item.text.empty()) text += ' ';
    return text + printable(item.text);
}

// `pattern` with "{items}" and "{next}" put in as they are (both already escaped).
std::string joined_pair(std::string_view pattern, const std::string& items,
                        const std::string& next) {
    std::string made;
    for (std::size_t at = 0; at < pattern.size();) {
        if (pattern.substr(at, 7) == "{items}") {
            made += items;
            at += 7;
        } else if (pattern.substr(at, 6) == "{next}") {
            made += next;
            at += 6;
        } else {
            made += pattern[at++];
        }
    }
    return made;
}

// "a", "a and b", "a, b and c", as the language joins them.
std::string joined(const std::vector<ListItem>& items, const Catalogue& language) {
    if (items.empty()) return {};
    std::string out = item_text(items.front(), language);
    for (std::size_t i = 1; i < items.size(); ++i) {
        const bool last = i + 1 == items.size();
        out = joined_pair(language.text(last ? tr("{items} and {next}") : tr("{items}, {next}")),
                          out, item_text(items[i], language));
    }
    return out;
}

std::string value_of(const Arg& arg, const Args& args, const Catalogue& language, int depth) {
    switch (arg.kind) {
    case Arg::Kind::text:
        return printable(arg.text);
    case Arg::Kind::term:
        if (arg.text.empty() || depth >= deepest_term) return {};
        return fill(language.text(arg.text), args, language, depth + 1);
    case Arg::Kind::list:
        return joined(arg.items, language);
    case Arg::Kind::rendered:
        return arg.text;
    }
    return {};
}

std::string fill(std::string_view text, const Args& args, const Catalogue& language, int depth) {
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(at);
            break;
        }
        out += text.substr(at, open - at);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const Arg* found = nullptr;
        for (const Arg& arg : args)
            if (arg.name == name) found = &arg;
        // A place no argument fills is one of the names every text may hold, or stays as it
        // is written: a fault anyone can see.
        if (found)
            out += value_of(*found, args, language, depth);
        else if (const auto named = product_name(name))
            out += *named;
        else
            out += text.substr(open, close - open + 1);
        at = close + 1;
    }
    return out;
}

bool filled(std::string_view text, const Args& args, int depth) {
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) return true;
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const Arg* found = nullptr;
        for (const Arg& arg : args)
            if (arg.name == name) found = &arg;
        if (!found && !product_name(name)) return false;
        if (!found) continue;
        if (found->kind == Arg::Kind::term && depth < deepest_term &&
            !filled(found->text, args, depth + 1))
            return false;
    }
    return true;
}

} // namespace

bool fills_every_place(const Finding& finding) {
    const RuleText& rule = rule_text(finding.rule);
    const auto& advice = rule.advice[static_cast<std::size_t>(finding.advice) % rule.advice.size()];
    return filled(rule.message, finding.args, 0) && filled(rule.plural_message, finding.args, 0) &&
           filled(advice, finding.args, 0);
}

const Catalogue& english() {
    static const English language;
    return language;
}

unsigned long long count_of(const Args& args) {
    for (const Arg& arg : args) {
        if (arg.name != "count") continue;
        if (arg.kind == Arg::Kind::list) return arg.items.size();
        unsigned long long count = 0;
        std::from_chars(arg.text.data(), arg.text.data() + arg.text.size(), count);
        return count;
    }
    return 0;
}

std::string render(std::string_view english_text, const Args& args, const Catalogue& language) {
    return fill(language.text(english_text), args, language, 0);
}

std::string render_plural(std::string_view singular, std::string_view plural, const Args& args,
                          const Catalogue& language) {
    return fill(language.plural(singular, plural, count_of(args)), args, language, 0);
}

std::string message_of(const Finding& finding, const Catalogue& language) {
    const RuleText& rule = rule_text(finding.rule);
    if (!rule.plural_message.empty())
        return render_plural(rule.message, rule.plural_message, finding.args, language);
    return render(rule.message, finding.args, language);
}

std::string advice_of(const Finding& finding, const Catalogue& language) {
    const auto& advice = rule_text(finding.rule).advice;
    const std::size_t which = static_cast<std::size_t>(finding.advice);
    if (which >= advice.size() || advice[which].empty()) return {};
    return render(advice[which], finding.args, language);
}

} // namespace checker
