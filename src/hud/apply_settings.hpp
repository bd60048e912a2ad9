#pragma once
// The recolour pass's work on any writer: every row of the HUD table, queried from the
// settings file and written through a HostWriter, in table order.

#include "config/settings_file.hpp"
#include "hud/host_writer.hpp"
#include "hud/hud_setting_table.hpp"

namespace hud {

// One row: its query with the row's defaults, then a write per in-range component.
void apply_setting(const HudSetting& setting, const config::SettingsQueries& file,
                   HostWriter& writer);

// All rows of the table against one settings file.
void apply_settings(const config::SettingsQueries& file, HostWriter& writer);

// Reads the file named by settings_path afresh and applies it. Only the table's keys
// are kept, in storage on the stack, so it allocates nothing whatever the file holds.
void recolour_from_settings_path(HostWriter& writer);

} // namespace hud
