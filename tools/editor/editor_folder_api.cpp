// The editor page's way to a game folder: the folder as the page copied it into the
// core's own file system (every name, and the bytes of the files the diagnosis reads),
// diagnosed by the checker's own code, so the page says what `--game DIR` says.

#include "common/json_text.hpp"
#include "core_calls.hpp"
#include "core_result.hpp"
#include "findings/finding.hpp"
#include "repair/repair.hpp"
#include "report/ini_source.hpp"
#include "report/report_json.hpp"
#include "tessivar_version.hpp"

#include <emscripten.h>

#include <filesystem>
#include <string>

extern "C" {

// {"report": the checker's JSON report on the game folder at `folder` (a path in the core's
// file system), "repairs": [{"code", "action", "from", "to", "sentence"}]} in the page's
// language, the backups of this run named by `stamp`.
EMSCRIPTEN_KEEPALIVE int editor_diagnose(const char* folder, const char* language,
                                         const char* stamp) {
    return editor::kept_result([&] {
        bool unreadable = false;
        // The page cannot know the player's code page: a name is taken as Windows takes it.
        const checker::AnsiLength any_name = [](const std::filesystem::path& path) {
            return std::optional<std::size_t>{path.native().size()};
        };
        const checker::Report report = checker::game_report(folder, any_name, unreadable);
        const checker::Catalogue& words = editor::language_of(language);
        std::string repairs = "[";
        for (const checker::Repair& repair : checker::repairs_of(report))
            repairs +=
                (repairs.size() > 1 ? "," : "") + std::string{"{\"code\":"} +
                checker::json_string(repair.code) +
                ",\"action\":" + checker::json_string(checker::action_name(repair.fix.action)) +
                ",\"from\":" + checker::json_string(repair.fix.from) +
                ",\"to\":" + checker::json_string(repair.fix.to) + ",\"sentence\":" +
                checker::json_string(checker::repair_sentence(folder, repair, stamp, words)) + "}";
        return "{\"report\":" + checker::report_json(report, words, tessivar::version) +
               ",\"repairs\":" + repairs + "]}";
    });
}

} // extern "C"
