#pragma once
// The process-wide path of the settings file: the location step writes it, the
// reader opens it. Empty means "no file", and every setting takes its default.

#include <array>
#include <cstddef>

namespace config {

inline constexpr std::size_t path_capacity = 260; // 259 characters and the NUL
inline constexpr char settings_file_name[] = "Tessivar.VC.ini";

extern std::array<char, path_capacity> settings_path;

} // namespace config
