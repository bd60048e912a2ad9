#include "install/game_tree.hpp"

#include "common/lower_case.hpp"

#include <algorithm>

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

const TreeEntry* GameTree::find(std::string_view relative) const {
    std::vector<std::string_view> wanted;
    for (std::size_t at = 0;;) {
        const std::size_t slash = relative.find('\\', at);
        wanted.push_back(relative.substr(at, slash - at));
        if (slash == std::string_view::npos) break;
        at = slash + 1;
    }
    for (const TreeEntry& entry : entries)
        if (entry.parts.size() == wanted.size() &&
            std::equal(wanted.begin(), wanted.end(), entry.parts.begin(),
                       [](std::string_view a, const std::string& b) { return same_name(a, b); }))
            return &entry;
    return nullptr;
}

GameTree walk_game_folder(const fs::path& game) {
    GameTree tree;
    std::error_code error;
    fs::recursive_directory_iterator walk(game, fs::directory_options::skip_permission_denied,
                                          error);
    for (; !error && walk != fs::recursive_directory_iterator{}; walk.increment(error)) {
        if (tree.entries.size() == most_entries) {
            tree.cut_short = true;
            break;
        }
        std::error_code unknown;
        const bool folder = walk->is_directory(unknown) && !walk->is_symlink(unknown);
        if (folder && walk.depth() + 1 >= deepest_folder) {
            walk.disable_recursion_pending();
            tree.cut_short = true;
        }
        TreeEntry entry{{}, folder, walk->path()};
        for (const fs::path& part : walk->path().lexically_relative(game))
            entry.parts.push_back(utf8(part));
        if (!entry.parts.empty()) tree.entries.push_back(std::move(entry));
    }
    std::sort(tree.entries.begin(), tree.entries.end(),
              [](const TreeEntry& a, const TreeEntry& b) { return a.parts < b.parts; });
    return tree;
}

} // namespace checker
