// A palette or a code applied to a player's file: the plugin then writes exactly the
// palette, and only the settings' lines changed.

#include "colour/palettes.hpp"
#include "edit/apply_written.hpp"

#include <gtest/gtest.h>

namespace {

checker::WrittenSettings written(std::string_view ini) {
    return checker::written_settings(checker::check_settings_bytes(ini));
}

TEST(ApplyWritten, WritesThePaletteAndKeepsTheRestOfTheFile) {
    const std::string mine = "; my colours\r\nSomeOtherMod=keep\r\nMoneyColor=1 2 3\r\n"
                             "# end\r\nMoneyColor=255 0 0\r\n";
    for (const auto& palette : checker::palette_files()) {
        SCOPED_TRACE(std::string{palette.file_name});
        const auto target = written(palette.bytes);
        const std::string applied = editor::apply_written(mine, target);
        EXPECT_EQ(written(applied), target);
        EXPECT_EQ(
            applied.rfind("; my colours\r\nSomeOtherMod=keep\r\nMoneyColor=1 2 3\r\n# end\r\n", 0),
            0u);
        EXPECT_EQ(editor::apply_written(applied, target), applied); // nothing left to change
    }
}

TEST(ApplyWritten, ChangesOnlyTheSettingsThatDiffer) {
    auto target = written("");
    target[8].bytes = {9, 8, 7}; // MoneyColor
    EXPECT_EQ(editor::apply_written("# c\r\nZoneTextStyle=0\r\n", target),
              "# c\r\nZoneTextStyle=0\r\nMoneyColor=9 8 7\r\n");
}

} // namespace
