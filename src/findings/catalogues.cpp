#include "findings/catalogues.hpp"

#include "common/lower_case.hpp"
#include "findings/catalogue_tables.hpp"

#include <algorithm>
#include <memory>

namespace checker {
namespace {

class TableCatalogue final : public Catalogue {
public:
    explicit TableCatalogue(const LanguageTable& table) : table_(table) {}
    std::string_view code() const override { return table_.code; }
    std::string_view text(std::string_view english) const override {
        const CatalogueEntry* entry = find(english);
        return entry ? entry->forms[0] : english;
    }
    std::string_view plural(std::string_view singular, std::string_view plural,
                            unsigned long long count) const override {
        const CatalogueEntry* entry = find(singular);
        if (!entry) return count == 1 ? singular : plural;
        const std::string_view form = entry->forms[plural_form(table_.plural, count)];
        return form.empty() ? entry->forms[0] : form;
    }

private:
    const CatalogueEntry* find(std::string_view english) const {
        const auto entries = table_.entries;
        const auto at = std::lower_bound(
            entries.begin(), entries.end(), english,
            [](const CatalogueEntry& entry, std::string_view key) { return entry.english < key; });
        return at != entries.end() && at->english == english ? &*at : nullptr;
    }
    const LanguageTable& table_;
};

// "pt_BR.UTF-8@euro" -> "pt-br"; "C" and "POSIX" name no language.
std::string code_of_locale(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::string code = lower_case(locale);
    std::replace(code.begin(), code.end(), '_', '-');
    return code;
}

} // namespace

std::vector<Language> languages() {
    std::vector<Language> out;
    for (const LanguageTable& table : language_tables())
        out.push_back({table.code, table.name});
    return out;
}

const Catalogue* catalogue_for(std::string_view code) {
    static const auto catalogues = [] {
        std::vector<std::unique_ptr<TableCatalogue>> made;
        for (const LanguageTable& table : language_tables())
            made.push_back(std::make_unique<TableCatalogue>(table));
        return made;
    }();
    const std::string wanted = code_of_locale(code);
    if (wanted == "en") return &english();
    for (const auto& catalogue : catalogues)
        if (lower_case(catalogue->code()) == wanted) return catalogue.get();
    return nullptr;
}

const Catalogue& catalogue_of_locales(std::string_view locales) {
    while (!locales.empty()) {
        const std::size_t end = std::min(locales.find_first_of(":,;"), locales.size());
        const std::string code = code_of_locale(locales.substr(0, end));
        locales.remove_prefix(std::min(end + 1, locales.size()));
        if (code.empty()) continue;
        if (const Catalogue* exact = catalogue_for(code)) return *exact;
        // A country the tools do not know by itself: the language ("de-AT" is "de"); every
        // Portuguese is Brazil's.
        const std::string language = code.substr(0, code.find('-'));
        if (language == "pt") return *catalogue_for("pt-BR");
        if (const Catalogue* general = catalogue_for(language)) return *general;
    }
    return english();
}

} // namespace checker
