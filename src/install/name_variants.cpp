#include "install/name_variants.hpp"

#include "common/lower_case.hpp"
#include "common/translatable.hpp"
#include "install/game_tree.hpp"

#include <cctype>
#include <string>

namespace checker {
namespace {

struct Variant {
    std::string_view pattern; // folded; '#' stands for one or more digits
    std::string_view cause;
};

constexpr Variant ini_variants[] = {
    {"tessivar.vc.ini.txt", tr("Windows hides the .txt")},
    {"tessivar.vc.txt", tr("saved as a text file")},
    {"tessivar.vc.ini.ini", tr("the .ini is there twice")},
    {"tessivar.vc (#).ini", tr("a second download of the same file")},
    {"tessivar.vc - copy.ini", tr("a copy Explorer made")},
    {"tessivar.vc - copy (#).ini", tr("a copy Explorer made")},
    {"tessivar.vc.ini (#).txt", tr("a second download, saved as text")},
    {"tessivar.ini", tr("the name lacks .VC")},
};

bool matches(std::string_view name, std::string_view pattern) {
    std::size_t at = 0;
    for (const char p : pattern) {
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
    const std::string lower = lower_case(name);
    if (lower == "tessivar.vc.asi") return PluginName::asi;
    if (lower == "tessivar.vc.dll") return PluginName::dll;
    if (lower == "tessivar.vc.asi.txt") return PluginName::asi_txt;
    return std::nullopt;
}

bool is_ini_name(std::string_view name) {
    return same_name(name, "Tessivar.VC.ini");
}

std::optional<std::string_view> ini_variant(std::string_view name) {
    const std::string lower = lower_case(name);
    for (const Variant& variant : ini_variants)
        if (matches(lower, variant.pattern)) return variant.cause;
    return std::nullopt;
}

} // namespace checker
