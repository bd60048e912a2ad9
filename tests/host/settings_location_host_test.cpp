#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "platform/host_services.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

namespace {

std::string windows_path(const std::filesystem::path& path) {
    std::string text = path.string();
    for (char& c : text)
        if (c == '/') c = '\\';
    return text;
}

TEST(SettingsLocationOnDisk, FoldersAndFilesInTheCandidatePlaces) {
    test_support::TempDir game;
    const std::string exe = windows_path(game.path() / "gta-vc.exe");
    const std::string folder = windows_path(game.path()) + "\\";
    auto find = [&] { return config::find_settings_file(exe, platform::path_exists).path; };

    EXPECT_EQ(find(), folder + "Tessivar.VC.ini");
    game.write("Tessivar.VC.ini", "x");
    EXPECT_EQ(find(), folder + "Tessivar.VC.ini");
    game.write("scripts/Tessivar.VC.ini", "x");
    EXPECT_EQ(find(), folder + "scripts\\Tessivar.VC.ini");
    // A folder of that name counts as existing, and stops the search.
    std::filesystem::create_directories(game.path() / "plugins" / "Tessivar.VC.ini");
    EXPECT_EQ(find(), folder + "plugins\\Tessivar.VC.ini");
}

TEST(SettingsLocationOnDisk, RunningExecutableGivesItsOwnFolder) {
    char exe[260] = {};
    const auto length = platform::executable_path(exe, sizeof exe);
    ASSERT_GT(length, 0u);
    config::locate_settings_file();
    // No candidate exists beside the test program: the last one, in its own folder.
    const auto expected =
        std::filesystem::path{std::string{exe, length}}.parent_path() / "Tessivar.VC.ini";
    EXPECT_EQ(std::string{config::settings_path.data()}, windows_path(expected));
}

} // namespace
