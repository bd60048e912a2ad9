#pragma once
// A path's text in UTF-8, whatever the platform's own form (UTF-16 on Windows), and back.

#include <filesystem>
#include <string>
#include <string_view>

namespace checker {

inline std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

inline std::filesystem::path path_from_utf8(std::string_view text) {
    return std::filesystem::path{std::u8string{text.begin(), text.end()}};
}

} // namespace checker
