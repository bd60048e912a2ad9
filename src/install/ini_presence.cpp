#include "install/ini_presence.hpp"

#include "common/printable.hpp"
#include "config/settings_path.hpp"
#include "install/install_places.hpp"
#include "install/name_variants.hpp"

namespace checker {
namespace {

namespace fs = std::filesystem;

std::string place_path(int folder) {
    const std::string_view name = ini_folders[folder];
    return (name.empty() ? "" : std::string{name} + "\\") + config::settings_file_name;
}

// Whether the plugin's path to a candidate works: written in the ANSI code page, in
// fewer than 260 bytes with the NUL. Adds the finding when it does not.
bool reachable(const TreeEntry& entry, const AnsiLength& ansi_length, InstallFindings& findings) {
    const auto length = ansi_length(fs::absolute(entry.path));
    if (!length) return false; // said once for the whole folder
    if (*length < config::path_capacity) return true;
    findings.push_back({Weight::blocks,
                        printable(entry.shown()) + ": its full path is " + std::to_string(*length) +
                            " characters long, and the plugin finds no ini at a path of 260 "
                            "or more",
                        "move the game to a shorter path, such as C:\\Games\\"});
    return false;
}

// The advice for a file the player meant as the ini, given the ini that counts.
InstallFinding stray(const TreeEntry& file, const IniPresence& ini, std::string_view cause) {
    const std::string shown = printable(file.shown());
    const int folder = ini_folder_of(file.parts);
    const std::string counting =
        ini.counting < 0 ? "" : printable(ini.candidates[ini.counting]->shown());
    const std::string why = cause.empty() ? "" : " (" + std::string{cause} + ")";
    const std::string never = "the plugin never reads " + shown + why;
    if (folder < 0) {
        const std::string message = never + ": it reads its ini from plugins\\, scripts\\ or the "
                                            "game folder only, whatever folder it is in";
        if (ini.counting >= 0)
            return {Weight::warns, message, "copy the lines you want from it into " + counting};
        return {Weight::blocks, message,
                cause.empty() ? "move it to scripts\\" : "move it to scripts\\ as Tessivar.VC.ini"};
    }
    const std::string rename = "rename " + shown + " to Tessivar.VC.ini";
    if (ini.counting < 0)
        return {Weight::blocks, never,
                rename + (cause == "Windows hides the .txt" ? " (Windows hides the .txt)" : "")};
    if (folder == ini.counting)
        return {Weight::warns, never + "; it reads " + counting,
                "copy the lines you want from it into " + counting + ", then delete it"};
    if (folder > ini.counting)
        return {Weight::warns,
                never + ", and named Tessivar.VC.ini it would still be passed over while " +
                    counting + " exists",
                "copy the lines you want from it into " + counting};
    return {Weight::warns, never + "; it reads " + counting,
            rename + " to make it the ini the plugin reads instead of " + counting};
}

bool may_hold_a_stray(const TreeEntry& entry) {
    const Place place = place_of(entry.parts);
    if (is_ini_name(entry.name())) return ini_folder_of(entry.parts) < 0;
    return place == Place::game || place == Place::loader_folder || place == Place::loader_sub ||
           place == Place::mod_manager;
}

} // namespace

IniPresence find_settings(const GameTree& tree, const fs::path& game, const AnsiLength& ansi_length,
                          InstallFindings& findings) {
    IniPresence ini;
    const bool writable = ansi_length(fs::absolute(game)).has_value();
    if (!writable)
        findings.push_back({Weight::blocks,
                            "the game folder's path has letters the system's code page cannot "
                            "write: the plugin can find no ini there, and every setting takes "
                            "its default",
                            "move the game to a short path of plain letters, such as "
                            "C:\\Games\\"});
    InstallFindings too_long;
    for (int folder = 0; folder < 3; ++folder) {
        ini.candidates[folder] = tree.find(place_path(folder));
        if (writable && ini.counting < 0 && ini.candidates[folder] &&
            reachable(*ini.candidates[folder], ansi_length, too_long))
            ini.counting = folder;
    }
    for (InstallFinding finding : too_long) {
        if (ini.counting >= 0) finding.weight = Weight::warns;
        findings.push_back(std::move(finding));
    }
    if (ini.counting >= 0 && ini.candidates[ini.counting]->folder) {
        const std::string shown = printable(ini.candidates[ini.counting]->shown());
        findings.push_back({Weight::blocks,
                            shown + " is a folder: the plugin picks it, reads nothing, and "
                                    "every setting takes its default",
                            "remove or rename the folder " + shown});
    }
    bool strays = false;
    for (const TreeEntry& entry : tree.entries) {
        if (entry.folder || !may_hold_a_stray(entry)) continue;
        const auto cause = ini_variant(entry.name());
        if (!cause && !is_ini_name(entry.name())) continue;
        findings.push_back(stray(entry, ini, cause.value_or("")));
        strays = true;
    }
    if (ini.counting < 0 && !strays && writable)
        findings.push_back({Weight::blocks,
                            "there is no Tessivar.VC.ini in plugins\\, scripts\\ or the game "
                            "folder: the plugin uses its default colours",
                            "put your Tessivar.VC.ini in scripts\\ (Tessivar.VC.check "
                            "--template --output Tessivar.VC.ini writes one with every "
                            "default)"});
    return ini;
}

} // namespace checker
