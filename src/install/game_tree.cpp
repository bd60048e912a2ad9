#include "install/game_tree.hpp"

#include "common/lower_case.hpp"
#include "common/product_names.hpp"

#include <algorithm>
#include <queue>
#include <set>

namespace checker {

namespace fs = std::filesystem;

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower_case(x) == lower_case(y);
           });
}

std::string TreeEntry::shown() const {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "\\") + part;
    return text;
}

std::vector<std::string_view> shown_parts(std::string_view shown) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t slash = shown.find('\\', at);
        parts.push_back(shown.substr(at, slash - at));
        if (slash == std::string_view::npos) break;
        at = slash + 1;
    }
    return parts;
}

const TreeEntry* GameTree::find(std::string_view relative) const {
    const std::vector<std::string_view> wanted = shown_parts(relative);
    for (const TreeEntry& entry : entries)
        if (entry.parts.size() == wanted.size() &&
            std::equal(wanted.begin(), wanted.end(), entry.parts.begin(),
                       [](std::string_view a, const std::string& b) { return same_name(a, b); }))
            return &entry;
    return nullptr;
}

namespace {

// Folders in the order they matter to the loader and the plugin: the game folder, then
// scripts\ and plugins\, then the folders right inside those two, then a mod manager's,
// then the rest; each rank breadth first. What the entry cap leaves out is the least.
int rank_of(const std::vector<std::string>& parts) {
    const auto loader = [](std::string_view name) {
        return same_name(name, "scripts") || same_name(name, "plugins");
    };
    if (parts.empty()) return 0;
    if (loader(parts[0])) return parts.size() == 1 ? 1 : parts.size() == 2 ? 2 : 4;
    return same_name(parts[0], "modloader") ? 3 : 4;
}

struct Pending {
    int rank;
    std::size_t order; // first found first
    fs::path path;
    std::vector<std::string> parts;
};

struct LaterFirst {
    bool operator()(const Pending& a, const Pending& b) const {
        return a.rank != b.rank ? a.rank > b.rank : a.order > b.order;
    }
};

// The folder a path leads to, links followed: a folder reached again is not walked again.
fs::path real_folder(const fs::path& path) {
    std::error_code error;
    fs::path real = fs::canonical(path, error);
    return error ? path : real;
}

} // namespace

GameTree walk_game_folder(const fs::path& game, const WalkBounds& bounds) {
    GameTree tree;
    std::priority_queue<Pending, std::vector<Pending>, LaterFirst> folders;
    std::set<fs::path> seen{real_folder(game)};
    std::size_t order = 0;
    folders.push({0, order++, game, {}});
    while (!folders.empty()) {
        const Pending folder = folders.top();
        folders.pop();
        std::error_code error;
        // A folder that cannot be listed (no permission, a path Windows cannot take) is
        // passed over; the others are listed all the same.
        fs::directory_iterator entries(folder.path, fs::directory_options::skip_permission_denied,
                                       error);
        for (; !error && entries != fs::directory_iterator{}; entries.increment(error)) {
            if (tree.entries.size() >= bounds.most_entries) {
                tree.cut_short = true;
                break;
            }
            std::error_code unknown;
            // Linked folders are folders to the loader too.
            const bool is_folder = entries->is_directory(unknown);
            // The repairs' backups are the player's old files, kept aside, not the install.
            if (is_folder && folder.parts.empty() &&
                same_name(utf8(entries->path().filename()), backup_folder_name))
                continue;
            TreeEntry entry{folder.parts, is_folder, entries->path()};
            entry.parts.push_back(utf8(entries->path().filename()));
            if (is_folder) {
                if (entry.parts.size() >= static_cast<std::size_t>(bounds.deepest_folder))
                    tree.cut_short = true;
                else if (seen.insert(real_folder(entry.path)).second)
                    folders.push({rank_of(entry.parts), order++, entry.path, entry.parts});
            }
            tree.entries.push_back(std::move(entry));
        }
        if (error) tree.unlisted.push_back(folder.path);
        if (tree.entries.size() >= bounds.most_entries) break;
    }
    std::sort(tree.entries.begin(), tree.entries.end(),
              [](const TreeEntry& a, const TreeEntry& b) { return a.parts < b.parts; });
    return tree;
}

} // namespace checker
