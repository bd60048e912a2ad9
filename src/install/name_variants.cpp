#include "install/name_variants.hpp"

#include "common/lower_case.hpp"
#include "common/product_names.hpp"
#include "common/translatable.hpp"
#include "config/settings_path.hpp"
#include "install/game_tree.hpp"

#include <cctype>
#include <string>

namespace checker {
namespace {

struct Variant {
    std::string_view pattern; // '@' stands for the name's stem, '#' for one or more digits
    std::string_view cause;
};

constexpr Variant ini_variants[] = {
    {"@.ini.txt", tr("Windows hides the .txt")},
    {"@.txt", tr("saved as a text file")},
    {"@.ini.ini", tr("the .ini is there twice")},
    {"@ (#).ini", tr("a second download of the same file")},
    {"@ - copy.ini", tr("a copy Explorer made")},
    {"@ - copy (#).ini", tr("a copy Explorer made")},
    {"@.ini (#).txt", tr("a second download, saved as text")},
    {"tessivar.ini", tr("the name lacks .VC")}, // the stem without its last part
};

// `name` folded to lower case; the stem, folded, stands for '@'.
bool matches(std::string_view name, std::string_view pattern) {
    static const std::string stem = lower_case(product_stem);
    std::size_t at = 0;
    for (const char p : pattern) {
        if (p == '@') {
            if (name.substr(at, stem.size()) != stem) return false;
            at += stem.size();
            continue;
        }
        if (p != '#') {
            if (at >= name.size() || name[at++] != p) return false;
            continue;
        }
        const std::size_t digits = at;
        while (at < name.size() && std::isdigit(static_cast<unsigned char>(name[at])))
            ++at;
        if (at == digits) return false;
    }
    return at == name.size();
}

} // namespace

std::optional<PluginName> plugin_name(std::string_view name) {
    const std::string stem{product_stem};
    if (same_name(name, plugin_file_name)) return PluginName::asi;
    if (same_name(name, stem + ".dll")) return PluginName::dll;
    if (same_name(name, std::string{plugin_file_name} + ".txt")) return PluginName::asi_txt;
    return std::nullopt;
}

bool is_ini_name(std::string_view name) {
    return same_name(name, config::settings_file_name);
}

std::optional<std::string_view> ini_variant(std::string_view name) {
    const std::string lower = lower_case(name);
    for (const Variant& variant : ini_variants)
        if (matches(lower, variant.pattern)) return variant.cause;
    return std::nullopt;
}

} // namespace checker
