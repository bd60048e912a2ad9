#pragma once
// The ini the checker is to look at, read as far as the plugin could read it: its bytes,
// or the finding that says why there are none.

#include "report/report.hpp"

#include <filesystem>

namespace checker {

// The most bytes of an ini the checker reads: as much as the plugin's pass can.
std::size_t largest_ini();

// `shown`: the path as the report names it. An ini given by the player may be missing or
// a folder; the ini of a game folder exists (the plugin picked it), and a folder there is
// said by the install already.
IniSource read_ini_source(const std::filesystem::path& path, const std::string& shown);

// The report on a game folder: the install, and the ini it reads as the plugin reads it.
// `unreadable`: that ini exists but cannot be read.
Report game_report(const std::filesystem::path& game, const AnsiLength& ansi_length,
                   bool& unreadable);

} // namespace checker
