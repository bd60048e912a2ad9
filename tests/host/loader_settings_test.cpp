// The loader's settings as Windows reads them: the checker's reading of each odd file
// against GetPrivateProfileIntA itself, on the table of cases and on files made at random.

#include "checker/loader_settings_cases.hpp"
#include "install/loader_settings.hpp"
#include "support/temp_files.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

long windows_reading(const test_support::TempDir& dir, const std::string& bytes, int index) {
    // Numbered names: "nul.ini" and its kind would be devices.
    const auto path = dir.write("case-" + std::to_string(index) + ".ini", bytes);
    return static_cast<long>(
        GetPrivateProfileIntA("GlobalSets", "LoadPlugins", 7, path.string().c_str()));
}

TEST(LoaderSettingsUnderWindows, EveryCaseReadsAsTheSystemReadsIt) {
    test_support::TempDir dir;
    int index = 0;
    for (const auto& [name, bytes, expected] : test_support::profile_cases()) {
        EXPECT_EQ(windows_reading(dir, bytes, index++), expected) << name;
        EXPECT_EQ(checker::profile_int(bytes, "GlobalSets", "LoadPlugins").value_or(7), expected)
            << name;
    }
}

TEST(LoaderSettingsUnderWindows, FilesMadeAtRandomReadAsTheSystemReadsThem) {
    const std::vector<std::string> parts{"[GlobalSets]",
                                         "[globalsets ]",
                                         "[Other]",
                                         "[GlobalSets",
                                         "LoadPlugins=0",
                                         "loadplugins = 1",
                                         "LoadPlugins=",
                                         "LoadPlugins",
                                         ";LoadPlugins=0",
                                         "LoadPlugins=0x1f",
                                         "LoadPlugins=-2",
                                         " ",
                                         "\t",
                                         "\r",
                                         "\n",
                                         "\r\n",
                                         "\x1A",
                                         "X=1",
                                         "=",
                                         "\xEF\xBB\xBF"};
    std::mt19937 random(23);
    test_support::TempDir dir;
    for (int file = 0; file < 300; ++file) {
        std::string bytes;
        for (int i = std::uniform_int_distribution(1, 12)(random); i > 0; --i)
            bytes += parts[std::uniform_int_distribution<std::size_t>(0, parts.size() - 1)(random)];
        EXPECT_EQ(checker::profile_int(bytes, "GlobalSets", "LoadPlugins").value_or(7),
                  windows_reading(dir, bytes, file))
            << testing::PrintToString(bytes);
    }
}

} // namespace
