#include "checker/loader_settings_cases.hpp"
#include "findings/render.hpp"
#include "install/asi_loader.hpp"
#include "install/game_tree.hpp"
#include "install/install_diagnosis.hpp"
#include "install/loader_settings.hpp"
#include "stand_ins.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using checker::Verdict;
using test_support::pe_stand_in;

#ifdef SIMULATED_HOST_DIR
// The simulated host's executables stand in for the game's builds.
std::string host(std::string_view build) {
    std::ifstream in(std::string{SIMULATED_HOST_DIR} + "/simulated_host_" + std::string{build} +
                         ".exe",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
#endif

// "path:what" → the file's bytes; "what" names a stand-in, or is the file's text.
std::string contents(std::string_view what) {
    using namespace test_support;
#ifdef SIMULATED_HOST_DIR
    if (what == "game100") return host("100");
    if (what == "game120") return host("120");
    if (what == "other-exe") return host("none");
#else
    if (what == "game100") return pe_stand_in(machine_i386, false, 0x667BF0);
    if (what == "game120") return pe_stand_in(machine_i386, false, 0x666BA0);
    if (what == "other-exe") return pe_stand_in(machine_i386, false, 0);
#endif
    if (what == "loader") return pe_stand_in(machine_i386, true, 0, "%s\\*.asi");
    if (what == "loader-resource")
        return pe_stand_in(machine_i386, true, 0, utf16("Ultimate ASI Loader"));
    if (what == "loader64") return pe_stand_in(machine_amd64, true, 0, "*.asi");
    if (what == "dll") return pe_stand_in(machine_i386, true, 0, "d3d9 wrapper");
    return std::string{what};
}

// A complete install; each layout adds to it, or takes away with "-path".
const std::vector<std::string> complete{"gta-vc.exe:game100", "dinput8.dll:loader",
                                        "scripts/Tessivar.VC.asi:dll",
                                        "scripts/Tessivar.VC.ini:MoneyColor=255 0 0\n"};

enum class CodePage { writes_all, ascii_only, long_paths };

struct Layout {
    std::vector<std::string> changes;
    Verdict verdict;
    std::string says; // in the reason, or in a finding (message | advice)
    CodePage code_page = CodePage::writes_all;
};

const std::vector<Layout> layouts{
    {{}, Verdict::yes, "dinput8.dll loads scripts\\Tessivar.VC.asi into gta-vc.exe"},
    {{"-dinput8.dll"}, Verdict::no, "there is no ASI loader in the game folder"},
    {{"-dinput8.dll", "dinput8.dll:dll", "d3d9.dll:dll"}, Verdict::no, "no ASI loader"},
    {{"-dinput8.dll", "version.dll:loader-resource"}, Verdict::yes, "version.dll loads"},
    {{"-dinput8.dll", "vorbisFile.dll:dll"}, Verdict::no, "no ASI loader"},
    {{"-dinput8.dll", "vorbisFile.dll:loader"}, Verdict::no, "as vorbisHooked.dll"},
    {{"-dinput8.dll", "vorbisFile.dll:loader", "vorbisHooked.dll:dll"}, Verdict::yes, ""},
    {{"-dinput8.dll", "dinput8.dll:loader64"}, Verdict::no, "for 64-bit games"},
    {{"-dinput8.dll", "dinput8.dll:"}, Verdict::no, "not a Windows library"},
    {{"global.ini:[GlobalSets]\nLoadPlugins=0\n"}, Verdict::no, "LoadPlugins=0 in global.ini"},
    {{"dinput8.ini:[globalsets]\nloadplugins=0\n",
      "scripts/global.ini:[GlobalSets]\r\nLoadPlugins=1\r\n"},
     Verdict::yes,
     ""},
    {{"global.ini:[Other]\nLoadPlugins=0\n"}, Verdict::yes, ""},
    {{"-scripts/Tessivar.VC.asi", "Tessivar.VC.asi:dll",
      "dinput8.ini:[GlobalSets]\nLoadFromScriptsOnly=1\n"},
     Verdict::no,
     "Tessivar.VC.asi in the game folder is not loaded: LoadFromScriptsOnly=1 in dinput8.ini"},
    {{"-scripts/Tessivar.VC.asi", "Tessivar.VC.asi:dll"}, Verdict::yes, ""},
    {{"-scripts/Tessivar.VC.asi", "scripts/a/b/Tessivar.VC.asi:dll"},
     Verdict::no,
     "scripts\\a\\b\\Tessivar.VC.asi is not loaded: ASI loaders look one folder deep at most | "
     "move it to scripts\\"},
    {{"-scripts/Tessivar.VC.asi", "Plugins/a/TESSIVAR.VC.ASI:dll"}, Verdict::yes, ""},
    {{"-scripts/Tessivar.VC.asi", "scripts/Tessivar.VC.dll:dll"},
     Verdict::no,
     "ASI loaders load only .asi files | rename scripts\\Tessivar.VC.dll to Tessivar.VC.asi"},
    {{"-scripts/Tessivar.VC.asi", "scripts/Tessivar.VC.asi.txt:dll"},
     Verdict::no,
     "its name ends in .txt | rename scripts\\Tessivar.VC.asi.txt to Tessivar.VC.asi (Windows "
     "hides the .txt)"},
    {{"plugins/Tessivar.VC.asi:dll"},
     Verdict::yes,
     "2 copies are loaded (plugins\\ and scripts\\)"},
    {{"-scripts/Tessivar.VC.asi", "modloader/hud/Tessivar.VC.asi:dll"},
     Verdict::cannot_tell,
     "only if your mod manager loads .asi files"},
    {{"-scripts/Tessivar.VC.asi"}, Verdict::no, "there is no Tessivar.VC.asi"},
    {{"-scripts/Tessivar.VC.asi", "scripts/Tessivar.VC.asi:<html>"},
     Verdict::no,
     "not a 32-bit Windows library"},
    {{"-scripts/Tessivar.VC.ini", "scripts/Tessivar.VC.ini.txt:x"},
     Verdict::no,
     "never reads scripts\\Tessivar.VC.ini.txt (Windows hides the .txt) | rename "
     "scripts\\Tessivar.VC.ini.txt to Tessivar.VC.ini (Windows hides the .txt)"},
    {{"-scripts/Tessivar.VC.ini", "scripts/Tessivar.VC (1).ini:x"},
     Verdict::no,
     "(a second download of the same file) | rename scripts\\Tessivar.VC (1).ini to"},
    {{"-scripts/Tessivar.VC.ini", "modloader/hud/Tessivar.VC.ini:x"},
     Verdict::no,
     "from plugins\\, scripts\\ or the game folder only"},
    {{"-scripts/Tessivar.VC.ini"}, Verdict::no, "there is no Tessivar.VC.ini"},
    {{"scripts/Tessivar.VC - Copy.ini:x"}, Verdict::yes, "it reads scripts\\Tessivar.VC.ini"},
    {{"plugins/Tessivar.ini:x"},
     Verdict::yes,
     "make it the ini the plugin reads instead of scripts\\Tessivar.VC.ini"},
    {{"Tessivar.VC.ini.ini:x"}, Verdict::yes, "would still be passed over"},
    {{"-scripts/Tessivar.VC.ini", "scripts/Tessivar.VC.ini/"}, Verdict::no, "is a folder"},
    {{"-gta-vc.exe"}, Verdict::cannot_tell, "no game executable"},
    {{"-gta-vc.exe", "-dinput8.dll"},
     Verdict::cannot_tell,
     "there is no game executable in this folder | run the checker in the game folder"},
    {{"-gta-vc.exe", "game.exe:other-exe", "uninstall.exe:other-exe"},
     Verdict::no,
     "not supported: game.exe holds none"},
    {{"launcher.exe:other-exe", "unins000.exe:other-exe"}, Verdict::yes, ""},
    {{}, Verdict::no, "the game folder's path has letters", CodePage::ascii_only},
    {{}, Verdict::no, "and the plugin finds no ini at a path of 260", CodePage::long_paths},
    {{"-gta-vc.exe", "gta-vc.exe:game120"}, Verdict::yes, "build 120"},
};

class InstallDiagnosis : public ::testing::Test {
protected:
    // Builds the layout in a game folder named `game`, and diagnoses it.
    checker::InstallDiagnosis diagnose(const Layout& layout, const std::string& game) {
        const auto removed = [&](const std::string& file) {
            return std::any_of(layout.changes.begin(), layout.changes.end(), [&](const auto& c) {
                return c[0] == '-' && c.compare(1, std::string::npos, file, 0, file.find(':')) == 0;
            });
        };
        std::vector<std::string> files;
        std::copy_if(complete.begin(), complete.end(), std::back_inserter(files),
                     [&](const auto& file) { return !removed(file); });
        std::copy_if(layout.changes.begin(), layout.changes.end(), std::back_inserter(files),
                     [](const auto& change) { return change[0] != '-'; });
        const fs::path folder = dir.path() / checker::path_from_utf8(game);
        fs::create_directories(folder);
        for (const std::string& file : files) {
            const std::size_t colon = file.find(':');
            const std::string path = file.substr(0, colon);
            if (path.back() == '/')
                fs::create_directories(folder / checker::path_from_utf8(path));
            else
                dir.write(fs::relative(folder, dir.path()) / checker::path_from_utf8(path),
                          contents(file.substr(colon + 1)));
        }
        const auto code_page = [&](const fs::path& path) -> std::optional<std::size_t> {
            const std::string text = checker::utf8(path);
            const bool ascii =
                std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && c < 0x7F; });
            if (layout.code_page == CodePage::ascii_only && !ascii) return std::nullopt;
            return text.size() + (layout.code_page == CodePage::long_paths ? 260 : 0);
        };
        return checker::diagnose_install(folder, code_page);
    }
    test_support::TempDir dir;
};

std::string reason_of(const checker::InstallDiagnosis& diagnosis) {
    return checker::message_of(diagnosis.reason(), checker::english());
}

std::string everything_said(const checker::InstallDiagnosis& diagnosis) {
    std::string text = reason_of(diagnosis) + "\n";
    for (const auto& finding : diagnosis.findings)
        text += checker::message_of(finding, checker::english()) + " | " +
                checker::advice_of(finding, checker::english()) + "\n";
    return text;
}

TEST_F(InstallDiagnosis, EachLayoutGetsItsVerdictAndTheReason) {
    int index = 0;
    for (const Layout& layout : layouts) {
        const std::string game = "game" + std::to_string(index++) +
                                 (layout.code_page == CodePage::ascii_only ? "-Jeux-\xC3\xA9" : "");
        const auto diagnosis = diagnose(layout, game);
        const std::string said = everything_said(diagnosis);
        SCOPED_TRACE(game + "\n" + said);
        EXPECT_EQ(diagnosis.verdict, layout.verdict);
        EXPECT_NE(said.find(layout.says), std::string::npos);
        const std::size_t advice = layout.says.find(" | ");
        if (layout.verdict != Verdict::yes && advice != std::string::npos) {
            // the finding that matters most is the reason
            EXPECT_NE(reason_of(diagnosis).find(layout.says.substr(0, advice)), std::string::npos);
        }
        for (const char c : said) // every name from the folder reaches the terminal escaped
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << said;
    }
}

#ifndef _WIN32 // Windows allows no control characters in names
TEST_F(InstallDiagnosis, NamesReachTheReportEscaped) {
    const Layout layout{
        {"-scripts/Tessivar.VC.asi", "scripts/\x1B]0;PWNED\a/x/Tessivar.VC.asi:dll"},
        Verdict::no,
        "scripts\\\\x1B]0;PWNED\\x07\\x\\Tessivar.VC.asi is not loaded"};
    const auto diagnosis = diagnose(layout, "escapes");
    EXPECT_NE(reason_of(diagnosis).find(layout.says), std::string::npos) << reason_of(diagnosis);
}
#endif

// The plugin opens an ini by a path of at most 259 characters: at 260 it finds none.
TEST_F(InstallDiagnosis, AnIniPathOf259IsReachedAnd260IsNot) {
    for (const std::size_t length : {std::size_t{259}, std::size_t{260}}) {
        const std::string game = "long" + std::to_string(length);
        diagnose({{}, Verdict::yes, ""}, game); // lays the complete install out
        const auto with_length = [&](const fs::path& path) -> std::optional<std::size_t> {
            return checker::utf8(path).ends_with(".ini") ? length : 10;
        };
        const auto seen = checker::diagnose_install(dir.path() / game, with_length);
        EXPECT_EQ(seen.verdict, length < 260 ? Verdict::yes : Verdict::no) << length;
        EXPECT_EQ(seen.counting, length < 260 ? 1 : -1) << length;
    }
}

// The entry cap leaves out only what the loader and the plugin do not use: the game
// folder, scripts\ and plugins\ come first, however many files another folder holds.
TEST_F(InstallDiagnosis, TheCapLeavesOutOnlyWhatTheLoaderDoesNotUse) {
    // The plugin two folders down scripts\, found only once the loader's folders come first:
    // in the order of the walk alone it would come after five crowded folders.
    std::vector<std::string> crowded{"-scripts/Tessivar.VC.asi", "scripts/sub/Tessivar.VC.asi:dll"};
    for (const char* folder : {"aaa", "bbb", "ccc", "ddd", "eee"})
        for (int i = 0; i < 40; ++i) {
            std::string file = folder;
            file += "/file";
            file += std::to_string(i);
            file += ".txt:x";
            crowded.push_back(file);
        }
    diagnose({crowded, Verdict::yes, ""}, "crowded");
    const auto seen = checker::diagnose_install(
        dir.path() / "crowded", [](const fs::path&) { return std::optional<std::size_t>{10}; },
        {12, 30});
    EXPECT_EQ(seen.verdict, Verdict::yes) << checker::message_of(seen.reason(), checker::english());
    EXPECT_TRUE(seen.cut_short);
    EXPECT_TRUE(std::any_of(seen.findings.begin(), seen.findings.end(),
                            [](const auto& f) { return f.rule == checker::Rule::walk_cut_short; }));
}

#ifndef _WIN32
// A linked scripts folder is the loader's scripts folder; a link back up is walked once.
TEST_F(InstallDiagnosis, LinkedFoldersAreWalkedAsTheLoaderSeesThemAndOnce) {
    diagnose({{"-scripts/Tessivar.VC.asi", "-scripts/Tessivar.VC.ini"}, Verdict::no, ""}, "linked");
    dir.write("elsewhere/Tessivar.VC.asi", contents("dll"));
    dir.write("elsewhere/Tessivar.VC.ini", "MoneyColor=1 2 3\n");
    const fs::path game = dir.path() / "linked";
    fs::remove_all(game / "scripts");
    fs::create_directory_symlink(dir.path() / "elsewhere", game / "scripts");
    fs::create_directory_symlink(game, dir.path() / "elsewhere" / "loop");
    const auto seen = checker::diagnose_install(
        game, [](const fs::path&) { return std::optional<std::size_t>{10}; });
    EXPECT_EQ(seen.verdict, Verdict::yes) << checker::message_of(seen.reason(), checker::english());
    EXPECT_EQ(seen.counting, 1);
    EXPECT_FALSE(seen.cut_short);
}
#endif

// A 700 MB executable is read by its headers and three words: no memory, no time.
TEST_F(InstallDiagnosis, AHugeExecutableIsReadByItsHeadersOnly) {
    const auto game = dir.write("huge/gta-vc.exe", contents("game100"));
    fs::resize_file(game, 700ull * 1024 * 1024);
    const auto diagnosis = checker::diagnose_install(
        dir.path() / "huge", [](const fs::path&) { return std::optional<std::size_t>{10}; });
    ASSERT_EQ(diagnosis.executables.size(), 1u);
    EXPECT_EQ(diagnosis.executables[0].build.code, 100);
}

TEST(LoaderSettings, AreReadAsGetPrivateProfileIntReadsThem) {
    for (const auto& [name, bytes, expected] : test_support::profile_cases())
        EXPECT_EQ(checker::profile_int(bytes, "GlobalSets", "LoadPlugins").value_or(7), expected)
            << name;
}

TEST(AsiLoaderMarks, AreFoundAcrossChunksAndOnlyWithinTheLimit) {
    using namespace test_support;
    const std::string head = pe_stand_in(machine_i386, true, 0);
    const std::string across = head + std::string(64 * 1024 - head.size() - 2, 'x') + "*.ASI";
    const std::string beyond = head + std::string(checker::loader_scan_limit, 'x') + "*.asi";
    EXPECT_EQ(checker::inspect_proxy(checker::MemoryBytes{across}).kind,
              checker::ProxyKind::loader);
    EXPECT_EQ(checker::inspect_proxy(checker::MemoryBytes{beyond}).kind,
              checker::ProxyKind::other_library);
}

} // namespace
