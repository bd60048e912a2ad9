#include "hud/guarded_host_writer.hpp"

#include "config/settings_location.hpp"
#include "hud/recolour_pass.hpp"
#include "injector/guarded_access.hpp"

namespace hud {

void GuardedHostWriter::patch_byte(HostAddress address, std::uint8_t value) {
    injector::patch_byte(address, value);
}

void GuardedHostWriter::patch_float(HostAddress address, float value) {
    injector::patch_float(address, value);
}

void recolour_pass() {
    config::locate_settings_file();
    GuardedHostWriter writer;
    recolour_from_settings_path(writer);
}

} // namespace hud
