// The editor page's way to a game folder: the folder as the page copied it into the
// core's own file system (every name, and the bytes of the files the diagnosis reads),
// diagnosed by the checker's own code, so the page says what `--game DIR` says.

#include "core_calls.hpp"
#include "core_result.hpp"
#include "report/ini_source.hpp"
#include "report/report_json.hpp"
#include "tessivar_version.hpp"

#include <emscripten.h>

#include <filesystem>
#include <string>

extern "C" {

// The checker's JSON report on the game folder at `folder` (a path in the core's file
// system), in the page's language.
EMSCRIPTEN_KEEPALIVE int editor_diagnose(const char* folder, const char* language) {
    return editor::kept_result([&] {
        bool unreadable = false;
        // The page cannot know the player's code page: a name is taken as Windows takes it.
        const checker::AnsiLength any_name = [](const std::filesystem::path& path) {
            return std::optional<std::size_t>{path.native().size()};
        };
        const checker::Report report = checker::game_report(folder, any_name, unreadable);
        return checker::report_json(report, editor::language_of(language), tessivar::version);
    });
}

} // extern "C"
