#pragma once
// ASI loaders: the proxy DLLs they are installed as in the game folder, and whether a
// DLL of such a name is one, decided from its own bytes, so that a system DLL, a
// graphics wrapper or the game's own library of that name is not taken for a loader.

#include "common/byte_source.hpp"

#include <array>
#include <string_view>

namespace checker {

inline constexpr std::array<std::string_view, 11> loader_proxy_names{
    "dinput8.dll", "dsound.dll", "winmm.dll",   "version.dll", "d3d8.dll",      "d3d9.dll",
    "wininet.dll", "xlive.dll",  "binkw32.dll", "msacm32.dll", "vorbisFile.dll"};

// A loader installed as vorbisFile.dll passes the game's calls on to the game's own
// vorbisFile.dll, renamed to this.
inline constexpr std::string_view vorbis_proxy = "vorbisFile.dll";
inline constexpr std::string_view vorbis_original = "vorbisHooked.dll";

// How much of a DLL is searched for a loader's marks; loaders are far smaller.
inline constexpr std::size_t loader_scan_limit = 8 * 1024 * 1024;

enum class ProxyKind {
    not_a_library, // no PE file at all (empty, cut short, or a text file)
    other_library, // a DLL with no mark of a loader: system DLL, wrapper, the game's own
    loader,
};

struct ProxyInspection {
    ProxyKind kind;
    bool i386; // a 32-bit library, which a 32-bit game can load
};

// Looks at the headers and at most loader_scan_limit bytes for the marks of an ASI
// loader: the "*.asi" search it carries, or "ASI Loader" in its version resource
// (as 8-bit or UTF-16 text, any letter case).
ProxyInspection inspect_proxy(const ByteSource& dll);

} // namespace checker
