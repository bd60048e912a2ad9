#include "hud/guarded_host_writer.hpp"

#include "injector/guarded_access.hpp"

namespace hud {

GuardedHostWriter::GuardedHostWriter(platform::ImageRange host_image) : host_image_(host_image) {}

void GuardedHostWriter::patch_byte(HostAddress address, std::uint8_t value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_byte(address, value);
}

void GuardedHostWriter::patch_float(HostAddress address, float value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_float(address, value);
}

} // namespace hud
