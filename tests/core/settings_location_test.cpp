#include "config/settings_location.hpp"
#include "config/settings_path.hpp"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace {

using config::find_settings_file;

struct FakeDisk {
    std::set<std::string> entries;
    std::vector<std::string> asked;
    bool operator()(const char* path) {
        asked.emplace_back(path);
        return entries.count(path) != 0;
    }
};

const std::string game = "C:\\Games\\Vice City\\";
const std::string exe = game + "gta-vc.exe";

TEST(SettingsLocation, TriesPluginsThenScriptsThenTheGameFolder) {
    FakeDisk disk;
    const auto found = find_settings_file(exe, std::ref(disk));
    EXPECT_EQ(disk.asked, (std::vector<std::string>{game + "plugins\\Tessivar.VC.ini",
                                                    game + "scripts\\Tessivar.VC.ini",
                                                    game + "Tessivar.VC.ini"}));
    EXPECT_EQ(found.candidate, -1);
    EXPECT_EQ(found.path, game + "Tessivar.VC.ini"); // the fallback that does not exist
}

TEST(SettingsLocation, FirstExistingPlaceWins) {
    FakeDisk both{{game + "plugins\\Tessivar.VC.ini", game + "scripts\\Tessivar.VC.ini"}, {}};
    EXPECT_EQ(find_settings_file(exe, std::ref(both)).path, game + "plugins\\Tessivar.VC.ini");
    EXPECT_EQ(both.asked.size(), 1u);

    FakeDisk scripts{{game + "scripts\\Tessivar.VC.ini", game + "Tessivar.VC.ini"}, {}};
    const auto found = find_settings_file(exe, std::ref(scripts));
    EXPECT_EQ(found.path, game + "scripts\\Tessivar.VC.ini");
    EXPECT_EQ(found.candidate, 1);

    FakeDisk beside{{game + "Tessivar.VC.ini"}, {}};
    EXPECT_EQ(find_settings_file(exe, std::ref(beside)).candidate, 2);
}

TEST(SettingsLocation, OnlyBackslashesSeparateFolders) {
    EXPECT_EQ(config::game_folder("C:/Games/gta-vc.exe"), "C:/Games/gta-vc.exe");
    EXPECT_EQ(config::game_folder("C:\\Games/x\\gta.exe"), "C:\\Games/x\\");
    EXPECT_EQ(config::game_folder("gta.exe"), "gta.exe");
    FakeDisk disk;
    EXPECT_EQ(find_settings_file("gta.exe", std::ref(disk)).path, "gta.exeTessivar.VC.ini");
}

TEST(SettingsLocation, PathThatDoesNotFitLeavesSettingsPathEmpty) {
    const std::string fits(259, 'p');
    config::store_settings_path(fits);
    EXPECT_EQ(std::string{config::settings_path.data()}, fits);

    config::store_settings_path(std::string(260, 'q'));
    EXPECT_EQ(config::settings_path[0], '\0');

    config::store_settings_path("C:\\a\\Tessivar.VC.ini");
    EXPECT_STREQ(config::settings_path.data(), "C:\\a\\Tessivar.VC.ini");
}

// A candidate of 259 characters and its NUL fill the plugin's 260 bytes; one more does not
// fit, and nothing of it is written.
TEST(SettingsLocation, ACandidateFitsWithItsNulOrIsNotWrittenAtAll) {
    std::array<char, config::path_capacity> out{};
    const std::string name = "plugins";
    const std::size_t rest = name.size() + 1 + std::string_view{"Tessivar.VC.ini"}.size();
    for (const std::size_t length : {std::size_t{259}, std::size_t{260}}) {
        const std::string folder(length - rest, 'f');
        ASSERT_EQ(config::candidate_length(folder, name), length);
        out.fill('x');
        const bool written = config::write_candidate_path(folder, name, out);
        EXPECT_EQ(written, length < config::path_capacity) << length;
        EXPECT_EQ(std::string{out.data()}.size(), written ? length : 0u) << length;
    }
}

// The plugin's own path bound decides: a candidate of 260 characters or more, which it
// could never open, is passed over for the next, here the game folder's own (8 shorter).
TEST(SettingsLocation, ACandidateTooLongToOpenIsPassedOverForTheNext) {
    const std::size_t rest = std::string_view{"plugins\\Tessivar.VC.ini"}.size();
    const std::string folder = "C:\\" + std::string(260 - rest - 4, 'g') + "\\";
    ASSERT_EQ(config::candidate_length(folder, "plugins"), 260u);
    FakeDisk disk{{folder + "plugins\\Tessivar.VC.ini", folder + "Tessivar.VC.ini"}, {}};
    config::CandidateBuffer buffer{};
    const int found = config::find_settings_file(folder + "gta-vc.exe", std::ref(disk), buffer);
    EXPECT_EQ(found, 2);
    EXPECT_EQ(std::string{buffer.data()}, folder + "Tessivar.VC.ini");
    EXPECT_EQ(disk.asked, (std::vector<std::string>{folder + "Tessivar.VC.ini"}));
}

} // namespace
