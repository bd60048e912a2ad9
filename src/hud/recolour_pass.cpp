#include "hud/recolour_pass.hpp"

#include "config/settings_location.hpp"
#include "hud/apply_settings.hpp"
#include "hud/guarded_host_writer.hpp"
#include "platform/host_services.hpp"

namespace hud {

void recolour_pass() {
    config::locate_settings_file();
    // Read afresh (three header reads): the pass keeps no state between runs.
    GuardedHostWriter writer{platform::executable_image()};
    recolour_from_settings_path(writer);
}

} // namespace hud
