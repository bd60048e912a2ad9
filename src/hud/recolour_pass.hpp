#pragma once
// The plugin's recolour pass: what runs after each hooked host call.

namespace hud {

// Locates the settings file, reads it afresh and writes the HUD into the host's own
// image. Reports nothing; may run any number of times.
void recolour_pass();

} // namespace hud
