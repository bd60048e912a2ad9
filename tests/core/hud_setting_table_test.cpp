// The table as it must be, written out row by row: a changed key, kind, default or
// address fails here, whatever the code makes of it.

#include "hud/hud_setting_table.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
    const char* key;
    char kind; // 'c' colour, 'a' colour with alpha, 'i' integer, 'f' float
    std::vector<double> defaults;
    std::vector<HostAddress> targets;
};

// clang-format off
const std::vector<Row> expected_rows{
    {"Messagebox",               'c', {0, 0, 0},       {0x55b5e4, 0x55b5e2, 0x55b5e0}},
    {"Messagebox2",              'c', {175, 175, 175}, {0x55b60f, 0x55b60a, 0x55b605}},
    {"Styledtext",               'c', {255, 150, 225}, {0x55b9de, 0x55b9d9, 0x55b9d4}},
    {"WantedActiveColor",        'c', {97, 194, 247},  {0x5590ca, 0x5590c5, 0x5590c0}},
    {"WantedNotActiveColor",     'c', {27, 89, 130},   {0x559170, 0x55916e, 0x559169}},
    {"WantedFlashColor",         'c', {62, 141, 188},  {0x559128, 0x559123, 0x55911e}},
    {"WastedBusted",             'c', {0, 207, 133},   {0x55bc4f, 0x55bc4a, 0x55bc45}},
    {"WastedBustedTextStyle",    'i', {2},             {0x55bbbe}},
    {"MoneyColor",               'c', {0, 207, 133},   {0x5582af, 0x5582aa, 0x5582a5}},
    {"MoneyTextStyle",           'i', {2},             {0x55821d}},
    {"TimeColor",                'a', {97, 194, 247},  {0x559f91, 0x559f8c, 0x559f87, 0x559f82}},
    {"TimeTextStyle",            'i', {2},             {0x559efc}},
    {"TimerColor",               'a', {97, 194, 247},  {0x55a186, 0x55a181, 0x55a17c, 0x55a177}},
    {"TimerTextStyle",           'i', {2},             {0x55a0fe}},
    {"CounterColor",             'a', {97, 194, 247},  {0x55a663, 0x55a65e, 0x55a659, 0x55a654}},
    {"Counter2Color",            'a', {27, 89, 130},   {0x55a5c1, 0x55a5bf, 0x55a5ba, 0x55a5b5}},
    {"Counter3Color",            'a', {97, 194, 247},  {0x55a40e, 0x55a409, 0x55a404, 0x55a3ff}},
    {"ZoneColor",                'c', {45, 155, 90},   {0x559954, 0x55994f, 0x55994d}},
    {"ZoneTextStyle",            'i', {0},             {0x559918}},
    {"VehicleColor",             'c', {97, 194, 247},  {0x559de3, 0x559dde, 0x559dd9}},
    {"VehicleTextStyle",         'i', {0},             {0x559d9c}},
    {"ArmourNumberColor",        'a', {185, 185, 185}, {0x558e26, 0x558e21, 0x558e1c, 0x558e17}},
    {"ArmourIconColor",          'a', {185, 185, 185}, {0x558efe, 0x558ed6, 0x558ed1, 0x558ec6}},
    {"HealthAndArmourTextStyle", 'i', {2},             {0x5589e8}},
    {"HealthNumberColor",        'a', {255, 150, 225}, {0x558ba9, 0x558ba4, 0x558b9f, 0x558b9a}},
    {"HealthIconColor",          'a', {255, 150, 225}, {0x558c8e, 0x558c66, 0x558c61, 0x558c56}},
    {"BulletNumberColor",        'c', {255, 150, 225}, {0x5588c2, 0x5588bd, 0x5588b8}},
    {"BulletNumberTextStyle",    'i', {1},             {0x55879b}},
    {"RiflesCursorNoZoomColor",  'a', {255, 255, 255}, {0x557653, 0x55764e, 0x557649, 0x557644}},
    {"RiflesCursorNoZoomSize",   'f', {0.6},           {0x697b14}},
    {"RiflesCursorZoomColor",    'a', {255, 255, 255}, {0x557840, 0x55783b, 0x557836, 0x557831}},
    {"OtherWeaponsCursorSize",   'f', {0.4},           {0x697b1c}},
    {"NormalWeaponsCursorColor", 'a', {255, 255, 255}, {0x557737, 0x557732, 0x55772d, 0x557728}},
    {"AllWeaponsCursorSize",     'f', {32.0},          {0x697b10}},
};
// clang-format on

char kind_letter(hud::SettingKind kind) {
    switch (kind) {
    case hud::SettingKind::Rgb:
        return 'c';
    case hud::SettingKind::Rgba:
        return 'a';
    case hud::SettingKind::Integer:
        return 'i';
    case hud::SettingKind::Float:
        return 'f';
    }
    return '?';
}

TEST(HudSettingTable, IsTheThirtyFourRowsInOrder) {
    ASSERT_EQ(hud::hud_setting_table.size(), expected_rows.size());
    for (std::size_t i = 0; i < expected_rows.size(); ++i) {
        const auto& row = hud::hud_setting_table[i];
        const auto& want = expected_rows[i];
        SCOPED_TRACE(want.key);
        EXPECT_EQ(std::string{row.key}, want.key);
        EXPECT_EQ(kind_letter(row.kind), want.kind);
        std::vector<double> defaults;
        if (row.kind == hud::SettingKind::Float)
            defaults = {row.defaults.real};
        else
            defaults.assign(row.defaults.components.begin(),
                            row.defaults.components.begin() + (want.kind == 'i' ? 1 : 3));
        ASSERT_EQ(defaults.size(), want.defaults.size());
        for (std::size_t d = 0; d < defaults.size(); ++d)
            EXPECT_FLOAT_EQ(defaults[d], want.defaults[d]);
        const std::vector<HostAddress> targets(
            row.targets.begin(), row.targets.begin() + hud::component_count(row.kind));
        EXPECT_EQ(targets, want.targets);
    }
}

} // namespace
