// The colour maths behind the editor's contrast flags and colour-vision views, with
// expectations worked out by hand from the WCAG formula and the simulation matrices.

#include "colour/colour_vision.hpp"
#include "colour/element_contrast.hpp"
#include "colour/palettes.hpp"
#include "ini_rules/template_ini.hpp"
#include "ini_rules/value_advice.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using checker::Colour;
using checker::ColourVision;

TEST(Colour, ContrastFollowsTheWcagFormula) {
    EXPECT_DOUBLE_EQ(checker::contrast_ratio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(checker::contrast_ratio({90, 90, 90}, {90, 90, 90}), 1.0);
    EXPECT_NEAR(checker::contrast_ratio({0x77, 0x77, 0x77}, {255, 255, 255}), 4.48, 0.005);
    EXPECT_NEAR(checker::relative_luminance({255, 0, 0}), 0.2126, 1e-12);
    EXPECT_EQ(checker::blend({255, 255, 255}, 128, {0, 0, 0}), (Colour{128, 128, 128}));
    EXPECT_EQ(checker::blend({10, 20, 30}, 255, {200, 0, 0}), (Colour{10, 20, 30}));
}

TEST(Colour, SimulationsUseTheUsualMatrices) {
    // Red's column of each matrix, back to sRGB by hand.
    EXPECT_EQ(checker::simulate({255, 0, 0}, ColourVision::protanopia), (Colour{109, 95, 0}));
    EXPECT_EQ(checker::simulate({255, 0, 0}, ColourVision::grey), (Colour{127, 127, 127}));
    EXPECT_EQ(checker::simulate({255, 0, 0}, ColourVision::normal), (Colour{255, 0, 0}));
    // Each row sums to one: white and black stay as they are.
    for (const auto vision : checker::colour_visions) {
        EXPECT_EQ(checker::simulate({255, 255, 255}, vision), (Colour{255, 255, 255}));
        EXPECT_EQ(checker::simulate({0, 0, 0}, vision), (Colour{0, 0, 0}));
    }
}

Colour colour_of(const checker::CheckReport& report, std::string_view key) {
    for (const auto& s : report.settings)
        if (hud::hud_setting_table[s.row].key == key)
            return {s.writes[0]->byte, s.writes[1]->byte, s.writes[2]->byte};
    return {};
}

double distance(Colour a, Colour b) {
    return std::hypot(a.red - b.red, a.green - b.green, a.blue - b.blue);
}

// The pairs a colour-blind player must tell apart stay apart in the red-green palette,
// as they do not in the defaults (pink health, grey armour).
TEST(Colour, TheRedGreenSafePaletteStaysDistinct) {
    const auto safe = checker::check_settings_bytes(checker::palette_files()[0].bytes);
    const auto defaults = checker::check_no_file();
    const std::pair<const char*, const char*> pairs[] = {
        {"HealthIconColor", "ArmourIconColor"},
        {"WantedActiveColor", "WantedNotActiveColor"},
        {"MoneyColor", "WastedBusted"}};
    for (const auto vision : {ColourVision::protanopia, ColourVision::deuteranopia}) {
        for (const auto& [a, b] : pairs) {
            SCOPED_TRACE(std::string{a} + " " + b);
            EXPECT_GT(distance(checker::simulate(colour_of(safe, a), vision),
                               checker::simulate(colour_of(safe, b), vision)),
                      100);
        }
        EXPECT_LT(distance(checker::simulate(colour_of(defaults, "HealthIconColor"), vision),
                           checker::simulate(colour_of(defaults, "ArmourIconColor"), vision)),
                  60);
    }
}

TEST(ElementContrast, FlagsFaintElementsAndItsFixReachesTheRatio) {
    const Colour night{14, 18, 30};
    checker::Backdrops backdrops;
    backdrops.fill(night);
    const auto report = checker::check_settings_bytes("CounterColor=97 194 247 40\n");
    const auto contrasts = checker::element_contrasts(report, backdrops);
    EXPECT_EQ(contrasts.size(), 20u);
    std::string fixed_ini;
    for (const auto& c : contrasts) {
        const std::string key = hud::hud_setting_table[c.row].key;
        EXPECT_EQ(c.fix.empty(), c.ratio >= checker::least_contrast) << key;
        if (key == "Messagebox2") {
            EXPECT_EQ(c.backdrop, (Colour{0, 0, 0})); // the box
        }
        if (!c.fix.empty()) fixed_ini += key + "=" + c.fix + "\n";
    }
    // The dark blue stars and the faint counter fall short; the counter gets solid.
    EXPECT_NE(fixed_ini.find("WantedNotActiveColor="), std::string::npos);
    EXPECT_NE(fixed_ini.find("CounterColor="), std::string::npos);
    EXPECT_EQ(fixed_ini.find("TimeColor="), std::string::npos);
    for (const auto& c :
         checker::element_contrasts(checker::check_settings_bytes(fixed_ini), backdrops))
        EXPECT_GE(c.ratio, checker::least_contrast) << hud::hud_setting_table[c.row].key;
}

// Money written in hex is black to the plugin, dark on the night: its fix is the fix of
// what was meant (255 0 0), not a grey worked out from the black.
TEST(ElementContrast, LeavesOutWhatThePluginDoesNotReadAsWritten) {
    checker::Backdrops backdrops;
    backdrops.fill(Colour{14, 18, 30});
    const auto listed = [&](const char* ini) {
        std::vector<std::string> keys;
        for (const auto& c :
             checker::element_contrasts(checker::check_settings_bytes(ini), backdrops))
            keys.push_back(hud::hud_setting_table[c.row].key);
        return keys;
    };
    const auto has = [](const std::vector<std::string>& keys, const char* key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    EXPECT_FALSE(has(listed("MoneyColor=#FF0000\n"), "MoneyColor"));
    EXPECT_FALSE(has(listed("MoneyColour=20 20 20\n"), "MoneyColor")); // a typo: the default
    EXPECT_TRUE(has(listed("MoneyColor=20 20 20\n"), "MoneyColor"));
    EXPECT_TRUE(has(listed("MoneyColor=#FF0000\n"), "TimeColor")); // the others stay
}

TEST(ElementContrast, TheFixKeepsTheHueAndMovesLeast) {
    const Colour blue{27, 89, 130}, night{14, 18, 30};
    const auto fixed = checker::nearest_reaching(blue, 255, night, 3.0);
    ASSERT_TRUE(fixed);
    EXPECT_GE(checker::contrast_ratio(*fixed, night), 3.0);
    EXPECT_GT(fixed->blue, fixed->green); // still blue, lighter
    EXPECT_GT(fixed->green, fixed->red);
    const auto nudged = Colour{fixed->red - 8, fixed->green - 8, fixed->blue - 8};
    EXPECT_LT(checker::contrast_ratio(nudged, night), 3.0);
    // Already enough: unchanged.
    EXPECT_EQ(checker::nearest_reaching({255, 255, 255}, 255, night, 3.0), (Colour{255, 255, 255}));
}

// The colour names players write, each with the colour CSS gives it.
TEST(MeantColour, EveryNameGivesItsColour) {
    const std::vector<std::pair<std::string, std::vector<long long>>> names{
        {"black", {0, 0, 0}},       {"white", {255, 255, 255}}, {"red", {255, 0, 0}},
        {"lime", {0, 255, 0}},      {"green", {0, 128, 0}},     {"blue", {0, 0, 255}},
        {"yellow", {255, 255, 0}},  {"cyan", {0, 255, 255}},    {"aqua", {0, 255, 255}},
        {"magenta", {255, 0, 255}}, {"fuchsia", {255, 0, 255}}, {"silver", {192, 192, 192}},
        {"gray", {128, 128, 128}},  {"grey", {128, 128, 128}},  {"maroon", {128, 0, 0}},
        {"olive", {128, 128, 0}},   {"purple", {128, 0, 128}},  {"teal", {0, 128, 128}},
        {"navy", {0, 0, 128}},      {"orange", {255, 165, 0}},  {"pink", {255, 192, 203}},
        {"brown", {165, 42, 42}},   {"gold", {255, 215, 0}},    {"violet", {238, 130, 238}},
    };
    for (const auto& [name, numbers] : names) {
        const auto meant = checker::meant_colour(name, false);
        ASSERT_TRUE(meant) << name;
        EXPECT_EQ(meant->numbers, numbers) << name;
    }
    EXPECT_FALSE(checker::meant_colour("bright", false));
}

// On a light backdrop the fix darkens, on a dark one it lightens, and it stops as soon
// as the ratio is reached.
TEST(ElementContrast, TheFixMovesAwayFromTheBackdropAndNoFurther) {
    struct Case {
        Colour colour, backdrop;
        bool lighter;
    };
    const std::vector<Case> cases{
        {{200, 200, 200}, {255, 255, 255}, false},
        {{255, 230, 120}, {240, 240, 230}, false},
        {{60, 60, 60}, {0, 0, 0}, true},
        {{40, 20, 90}, {14, 18, 30}, true},
    };
    for (const Case& each : cases) {
        const auto& [colour, backdrop, lighter] = each;
        const auto fixed = checker::nearest_reaching(colour, 255, backdrop, 3.0);
        ASSERT_TRUE(fixed);
        EXPECT_GE(checker::contrast_ratio(*fixed, backdrop), 3.0);
        const auto moved = [&each](int from, int to) {
            return each.lighter ? to >= from : to <= from;
        };
        EXPECT_TRUE(moved(colour.red, fixed->red) && moved(colour.green, fixed->green) &&
                    moved(colour.blue, fixed->blue));
        const int back = lighter ? -6 : 6;
        const Colour short_of{std::clamp(fixed->red + back, 0, 255),
                              std::clamp(fixed->green + back, 0, 255),
                              std::clamp(fixed->blue + back, 0, 255)};
        EXPECT_LT(checker::contrast_ratio(short_of, backdrop), 3.0);
    }
}

} // namespace
