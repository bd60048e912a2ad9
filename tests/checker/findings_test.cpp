// Findings as data: the registry against its documentation, the renderer's filling,
// joining and escaping, and text made safe for a JSON document.

#include "common/json_text.hpp"
#include "common/printable.hpp"
#include "findings/catalogue_tables.hpp"
#include "findings/catalogues.hpp"
#include "findings/render.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace checker;

std::set<std::string> documented_codes() {
    std::ifstream doc(TESSIVAR_SOURCE_DIR "/docs/checker-findings.md");
    std::stringstream text;
    text << doc.rdbuf();
    const std::string all = text.str();
    std::set<std::string> codes;
    const std::regex row{R"(\n\| (INI\d{3}|INSTALL-\d{3}) \|)"};
    for (auto match = std::sregex_iterator(all.begin(), all.end(), row);
         match != std::sregex_iterator(); ++match)
        codes.insert((*match)[1]);
    return codes;
}

TEST(Registry, EveryCodeIsDocumentedAndEveryDocumentedCodeExists) {
    std::set<std::string> registry;
    for (const RuleText& rule : all_rules()) {
        registry.insert(std::string{rule.code});
        EXPECT_FALSE(rule.message.empty()) << rule.code;
        // Anything but what is so tells what to do.
        if (rule.severity != Severity::info) {
            EXPECT_FALSE(rule.advice[0].empty()) << rule.code;
        }
    }
    EXPECT_EQ(registry.size(), rule_count);
    EXPECT_EQ(documented_codes(), registry);
}

TEST(Registry, CodesAreShortLettersAndDigitsWithOneSeparatorAtMost) {
    for (const char* good : {"INI012", "INSTALL-003", "A1", "X.9"})
        EXPECT_TRUE(well_formed_code(good)) << good;
    for (const char* bad :
         {"", "ini012", "INI-01-2", "INI012-", "1NI", "INI 12", "INI_12", "ABCDEFGHIJKLMNOP1"})
        EXPECT_FALSE(well_formed_code(bad)) << bad;
}

struct Filled {
    std::string text;
    Args args;
    std::string said;
};

TEST(Renderer, FillsJoinsAndEscapes) {
    const std::vector<Filled> cases{
        {"{a} and {b}", {text_arg("a", "x"), number_arg("b", 12)}, "x and 12"},
        // what came from a file is escaped, the text's own words are not
        {"key \"{k}\"", {text_arg("k", "A\x1B[2J\xE9")}, "key \"A\\x1B[2J\\xE9\""},
        // a term is translated and filled in turn; an empty one is nothing
        {"gets {g}", {text_arg("n", "0 0 0"), term_arg("g", "{n} (black)")}, "gets 0 0 0 (black)"},
        {"[{e}]", {term_arg("e", "")}, "[]"},
        // lists as a language joins them
        {"{l}", {list_arg("l", std::vector<std::string>{"a"})}, "a"},
        {"{l}", {list_arg("l", std::vector<std::string>{"a", "b"})}, "a and b"},
        {"{l}", {list_arg("l", std::vector<std::string>{"a", "b", "c"})}, "a, b and c"},
        {"{l}",
         {list_arg("l", {ListItem{"red", "300"}, ListItem{"the game folder", ""}})},
         "red 300 and the game folder"},
        // the names every text may hold; a place nothing fills stays visible
        {"{ini_name} via {checker}", {}, "Tessivar.VC.ini via Tessivar.VC.check"},
        {"{nothing}", {}, "{nothing}"},
    };
    for (const auto& [text, args, said] : cases)
        EXPECT_EQ(render(text, args, english()), said) << text;
}

TEST(Renderer, TakesThePluralFormTheCountNeeds) {
    const auto said = [](long long count) {
        return render_plural("{count} copy", "{count} copies", {number_arg("count", count)},
                             english());
    };
    EXPECT_EQ(said(1), "1 copy");
    EXPECT_EQ(said(0), "0 copies");
    EXPECT_EQ(said(2), "2 copies");
    EXPECT_EQ(count_of({list_arg("count", std::vector<std::string>{"a", "b", "c"})}), 3u);
}

// The forms each language's grammar gives a count (0 for "one", 1 and 2 the others).
TEST(Catalogues, EachLanguageTakesItsOwnPluralForm) {
    struct Case {
        PluralRule rule;
        unsigned long long count;
        std::size_t form;
    };
    const Case cases[] = {
        {PluralRule::one_other, 0, 1}, {PluralRule::one_other, 1, 0}, {PluralRule::one_other, 2, 1},
        {PluralRule::zero_one, 0, 0},  {PluralRule::zero_one, 1, 0},  {PluralRule::zero_one, 2, 1},
        {PluralRule::polish, 1, 0},    {PluralRule::polish, 2, 1},    {PluralRule::polish, 4, 1},
        {PluralRule::polish, 5, 2},    {PluralRule::polish, 12, 2},   {PluralRule::polish, 14, 2},
        {PluralRule::polish, 21, 2},   {PluralRule::polish, 22, 1},   {PluralRule::polish, 0, 2},
        {PluralRule::russian, 1, 0},   {PluralRule::russian, 11, 2},  {PluralRule::russian, 21, 0},
        {PluralRule::russian, 3, 1},   {PluralRule::russian, 13, 2},  {PluralRule::russian, 23, 1},
        {PluralRule::russian, 111, 2}, {PluralRule::russian, 0, 2},   {PluralRule::russian, 101, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plural_form(c.rule, c.count), c.form)
            << static_cast<int>(c.rule) << " " << c.count;
}

// A language by its code or the player's settings; English for what the tools do not speak.
TEST(Catalogues, TheLanguageComesFromACodeOrTheLocales) {
    const std::pair<const char*, const char*> locales[] = {
        {"de_DE.UTF-8", "de"}, {"pt_PT", "pt-BR"}, {"pt", "pt-BR"},     {"ru-RU", "ru"},
        {"ja:fr:de", "fr"},    {"ja_JP", "en"},    {"", "en"},          {"C", "en"},
        {"en_GB:de", "en"},    {"PL", "pl"},       {"es-419,it", "es"},
    };
    for (const auto& [given, code] : locales)
        EXPECT_EQ(catalogue_of_locales(given).code(), code) << given;
    EXPECT_EQ(catalogue_for("xx"), nullptr);
    ASSERT_NE(catalogue_for("pt_br"), nullptr);
    EXPECT_EQ(catalogue_for("pt_br")->code(), "pt-BR");
    const Catalogue& german = *catalogue_for("de");
    EXPECT_EQ(
        render_plural("{count} finding:", "{count} findings:", {number_arg("count", 2)}, german),
        "2 Befunde:");
    EXPECT_EQ(german.text("no such text"), "no such text"); // English where there is none
}

// Every byte a terminal could act on, escaped; the printable ones as they are.
TEST(Printable, EscapesExactlyTheControlAndNonAsciiBytes) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {" ~", " ~"},
        {"\x1F", "\\x1F"},
        {"\x7F", "\\x7F"},
        {"\x80\xFF", "\\x80\\xFF"},
        {std::string(1, '\0'), "\\x00"},
        {"\x1B[2J", "\\x1B[2J"},
        {"a\tb", "a\\x09b"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(printable(text), shown);
}

TEST(JsonText, IsAlwaysUtf8AndNeverEndsEarly) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\n\x01\x7F", "\"\\u000a\\u0001\\u007f\""},
        {"caf\xC3\xA9 \xD0\x96 \xF0\x9F\x8E\xA8", "\"caf\xC3\xA9 \xD0\x96 \xF0\x9F\x8E\xA8\""},
        // a byte of no UTF-8 sequence, an overlong form, a surrogate, a cut sequence
        {"\xE9t\xE9", "\"\\\\xE9t\\\\xE9\""},
        {"\xC0\xAF", "\"\\\\xC0\\\\xAF\""},
        {"\xED\xA0\x80", "\"\\\\xED\\\\xA0\\\\x80\""},
        {"\xE2\x82", "\"\\\\xE2\\\\x82\""},
        {"\xC2"
         "A",
         "\"\\\\xC2A\""}, // a lead byte without its continuation
        // the first and last of each length: U+0080, U+07FF, U+0800, U+FFFF, U+10000, U+10FFFF
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         "\"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\""},
        // just past them: an overlong U+07FF, U+110000
        {"\xE0\x9F\xBF", "\"\\\\xE0\\\\x9F\\\\xBF\""},
        {"\xF4\x90\x80\x80", "\"\\\\xF4\\\\x90\\\\x80\\\\x80\""},
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(json_string(text), json);
}

} // namespace
