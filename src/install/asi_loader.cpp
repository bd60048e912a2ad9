#include "install/asi_loader.hpp"

#include "common/lower_case.hpp"
#include "install/pe_headers.hpp"

#include <algorithm>
#include <string>

namespace checker {
namespace {

constexpr std::size_t chunk = 64 * 1024;

std::string utf16(std::string_view text) {
    std::string wide;
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

bool holds(std::string_view haystack, std::string_view needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return lower_case(a) == b; }) != haystack.end();
}

// Searches the file in chunks, each overlapping the last by the longest mark.
bool carries_loader_marks(const ByteSource& dll) {
    const std::array<std::string, 4> marks{"*.asi", utf16("*.asi"), "asi loader",
                                           utf16("asi loader")};
    const std::size_t overlap = marks[3].size();
    const std::uint64_t end = std::min<std::uint64_t>(dll.size(), loader_scan_limit);
    std::string window;
    for (std::uint64_t at = 0; at < end; at += chunk) {
        const std::size_t keep = std::min(window.size(), overlap);
        window.erase(0, window.size() - keep);
        window += dll.read(at, static_cast<std::size_t>(std::min<std::uint64_t>(chunk, end - at)));
        for (const std::string& mark : marks)
            if (holds(window, mark)) return true;
    }
    return false;
}

} // namespace

ProxyInspection inspect_proxy(const ByteSource& dll) {
    const auto headers = read_pe_headers(dll);
    if (!headers) return {ProxyKind::not_a_library, false};
    const bool i386 = headers->machine == machine_i386;
    return {carries_loader_marks(dll) ? ProxyKind::loader : ProxyKind::other_library, i386};
}

} // namespace checker
