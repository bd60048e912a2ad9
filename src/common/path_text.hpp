#pragma once
// A path's text in UTF-8, whatever the platform's own form (UTF-16 on Windows), and back.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace checker {

// The path in UTF-8, or nothing where Windows holds a name that is not text (a lone UTF-16
// surrogate, which NTFS allows): such a name has no UTF-8 form to open it by again.
std::optional<std::string> exact_utf8(const std::filesystem::path& path);

// The path in UTF-8 for showing and matching; a lone surrogate becomes U+FFFD, never a throw.
std::string utf8(const std::filesystem::path& path);

inline std::filesystem::path path_from_utf8(std::string_view text) {
    return std::filesystem::path{std::u8string{text.begin(), text.end()}};
}

} // namespace checker
