#include "hud/guarded_host_writer.hpp"

#include "config/settings_location.hpp"
#include "hud/apply_settings.hpp"
#include "injector/guarded_access.hpp"

namespace hud {

GuardedHostWriter::GuardedHostWriter(platform::ImageRange host_image) : host_image_(host_image) {}

void GuardedHostWriter::patch_byte(HostAddress address, std::uint8_t value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_byte(address, value);
}

void GuardedHostWriter::patch_float(HostAddress address, float value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_float(address, value);
}

void recolour_pass() {
    config::locate_settings_file();
    // Read afresh (three header reads): the pass keeps no state between runs.
    GuardedHostWriter writer{platform::executable_image()};
    recolour_from_settings_path(writer);
}

} // namespace hud
