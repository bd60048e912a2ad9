// Arbitrary bytes as the game executable's path, and as the answers of the existence
// test: the location step picks the first candidate that exists, every candidate sits
// in the game folder, and settings_path holds the pick only when it fits. The same
// bytes as an executable file for the checker's reading of its build, and as a proxy
// DLL for its telling of an ASI loader.

#include "common/lower_case.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "install/asi_loader.hpp"
#include "install/game_build.hpp"
#include "install/pe_headers.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file{reinterpret_cast<const char*>(data), size};
    // A build is told only by the signature's bytes, which the file must then hold.
    if (checker::game_build_of(file).code != 0 &&
        file.find(std::string_view{"\x55\x89\xE5\x53", 4}) == std::string_view::npos)
        fail("a build told without its signature in the file");
    const checker::MemoryBytes bytes{file};
    const auto proxy = checker::inspect_proxy(bytes);
    if ((proxy.kind == checker::ProxyKind::not_a_library) ==
        checker::read_pe_headers(bytes).has_value())
        fail("a library told otherwise than by its headers");
    const std::string lower = lower_case(file);
    if (proxy.kind == checker::ProxyKind::loader && lower.find("*.asi") == std::string::npos &&
        lower.find("asi loader") == std::string::npos &&
        lower.find(std::string_view{"*\0.\0a\0s\0i\0", 10}) == std::string::npos &&
        lower.find(std::string_view{"a\0s\0i\0 \0l\0o\0a\0d\0e\0r\0", 20}) == std::string::npos)
        fail("a loader told without its marks in the file");
    if (size == 0) return 0;
    const unsigned answers = data[0]; // bit N: candidate N exists
    const std::string executable(reinterpret_cast<const char*>(data) + 1, size - 1);
    int asked = 0;
    const auto location = config::find_settings_file(
        executable, [&](const char*) { return ((answers >> asked++) & 1) != 0; });

    // Candidates of 260 characters or more exist nowhere for the plugin: never asked.
    const std::string_view folder = config::game_folder(executable);
    int first = -1, askable = 0;
    for (int index = 0; index < 3; ++index) {
        if (config::candidate_length(folder, config::settings_folders[index]) >=
            config::path_capacity)
            continue;
        ++askable;
        if ((answers >> (askable - 1)) & 1) {
            first = index;
            break;
        }
    }
    if (location.candidate != first) fail("not the first candidate that exists");
    if (asked != askable) fail("asked after the first that exists, or of one too long");
    if (location.path.empty()) return 0; // no candidate fits: nothing to read
    if (location.path.compare(0, folder.size(), folder) != 0) fail("outside the game folder");
    if (location.path.size() < std::strlen(config::settings_file_name) ||
        location.path.compare(location.path.size() - std::strlen(config::settings_file_name),
                              std::string::npos, config::settings_file_name) != 0)
        fail("not the settings file");

    // The plugin's own run of the step, in its fixed buffer, picks the same path.
    if (executable.size() < config::path_capacity && executable.find('\0') == std::string::npos) {
        config::CandidateBuffer fixed{};
        asked = 0;
        const int index = config::find_settings_file(
            executable, [&](const char*) { return ((answers >> asked++) & 1) != 0; }, fixed);
        const bool fits = location.path.size() < config::path_capacity;
        if (index != first || fixed.data() != (fits ? location.path : std::string{}))
            fail("the fixed buffer disagrees");
    }

    config::store_settings_path(location.path);
    const std::string stored = config::settings_path.data();
    const bool fits = location.path.size() < config::path_capacity &&
                      location.path.find('\0') == std::string::npos;
    if (fits ? stored != location.path : !stored.empty())
        fail("settings_path neither the whole path nor empty");
    return 0;
}
