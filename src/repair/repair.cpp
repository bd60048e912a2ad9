#include "repair/repair.hpp"

#include "common/path_text.hpp"
#include "common/translatable.hpp"
#include "findings/render.hpp"
#include "findings/rules.hpp"
#include "install/game_tree.hpp"

#include <ctime>
#include <optional>
#include <system_error>

namespace checker {
namespace {

namespace fs = std::filesystem;

// A path as the findings show it ("scripts\Tessivar.VC.ini.txt") under the game folder;
// none for one that could leave it or name nothing.
std::optional<fs::path> inside(const fs::path& game, std::string_view shown) {
    fs::path out = game;
    for (const std::string_view part : shown_parts(shown)) {
        if (part.empty() || part == "." || part == ".." || part.find_first_of("/:") != part.npos)
            return std::nullopt;
        out /= path_from_utf8(std::string{part});
    }
    return out;
}

bool regular_file(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::regular;
}

struct Backup {
    fs::path game, root;
    std::string stamp;
    std::vector<fs::path> made; // copies, for a repair that cannot go on

    std::optional<std::string> keep(const std::string& shown, const fs::path& file) {
        const auto target = inside(root, shown);
        std::error_code error;
        if (!target) return std::nullopt;
        fs::create_directories(target->parent_path(), error);
        if (error || !fs::copy_file(file, *target, fs::copy_options::none, error) || error)
            return std::nullopt;
        made.push_back(*target);
        return std::string{backup_folder_name} + "\\" + stamp + "\\" + shown;
    }
    void undo() {
        std::error_code ignored;
        for (const fs::path& copy : made)
            fs::remove(copy, ignored);
        // Folders made for them go too when nothing else is in them.
        for (fs::path folder = root; folder != game && folder.has_parent_path();
             folder = folder.parent_path())
            if (!fs::remove(folder, ignored)) break;
    }
};

RepairDone failed(std::string_view problem) {
    return {false, std::string{problem}, {}};
}

RepairDone remove_file(const fs::path& from, const std::string& shown, Backup& backup) {
    const auto kept = backup.keep(shown, from);
    if (!kept) return failed(tr("no copy could be kept in the backup folder"));
    std::error_code error;
    if (!fs::remove(from, error) || error) {
        backup.undo();
        return failed(tr("the system refused to delete it"));
    }
    return {true, {}, *kept};
}

RepairDone rename_file(const fs::path& from, const fs::path& to, const std::string& to_shown,
                       Backup& backup) {
    std::error_code error;
    const auto there = fs::symlink_status(to, error).type();
    if (there != fs::file_type::not_found && there != fs::file_type::regular)
        return failed(tr("something that is not a file stands where it would go"));
    std::optional<std::string> kept;
    if (there == fs::file_type::regular) {
        kept = backup.keep(to_shown, to);
        if (!kept) return failed(tr("no copy could be kept in the backup folder"));
    }
    std::vector<fs::path> made_folders;
    for (fs::path folder = to.parent_path(); !fs::exists(folder, error);
         folder = folder.parent_path())
        made_folders.insert(made_folders.begin(), folder);
    fs::create_directories(to.parent_path(), error);
    if (!error) fs::rename(from, to, error);
    if (error) {
        std::error_code ignored;
        for (auto folder = made_folders.rbegin(); folder != made_folders.rend(); ++folder)
            fs::remove(*folder, ignored);
        backup.undo();
        return failed(tr("the system refused to rename it"));
    }
    return {true, {}, kept.value_or("")};
}

} // namespace

std::vector<Repair> repairs_of(const Report& report) {
    std::vector<Repair> out;
    for (const Finding& finding : report.findings)
        if (finding.fix && (finding.fix->action == FixAction::rename ||
                            finding.fix->action == FixAction::delete_file))
            out.push_back({std::string{rule_text(finding.rule).code}, *finding.fix});
    return out;
}

std::string repair_sentence(const fs::path& game, const Repair& repair, std::string_view stamp,
                            const Catalogue& language) {
    const Args args{
        text_arg("from", repair.fix.from), text_arg("to", repair.fix.to),
        text_arg("backup", std::string{backup_folder_name} + "\\" + std::string{stamp} + "\\")};
    if (repair.fix.action == FixAction::delete_file)
        return render(tr("delete {from} (a copy is kept in {backup})"), args, language);
    const auto to = inside(game, repair.fix.to);
    if (to && regular_file(*to))
        return render(tr("rename {from} to {to}, over the file of that name (a copy of it is "
                         "kept in {backup})"),
                      args, language);
    return render(tr("rename {from} to {to}"), args, language);
}

RepairDone apply_repair(const fs::path& game, const Repair& repair, std::string_view stamp) {
    const auto from = inside(game, repair.fix.from);
    if (!from || !regular_file(*from))
        return failed(tr("the file is no longer there, or is no ordinary file"));
    Backup backup{
        game, game / std::string{backup_folder_name} / std::string{stamp}, std::string{stamp}, {}};
    if (repair.fix.action == FixAction::delete_file)
        return remove_file(*from, repair.fix.from, backup);
    const auto to = inside(game, repair.fix.to);
    if (!to) return failed(tr("the new name would leave the game folder"));
    return rename_file(*from, *to, repair.fix.to, backup);
}

std::string backup_stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

} // namespace checker
