#include "hud/guarded_host_writer.hpp"

#include "injector/guarded_access.hpp"
#include "injector/host_address.hpp"

namespace hud {

GuardedHostWriter::GuardedHostWriter(platform::ImageRange host_image)
    : host_image_(host_image.base == injector::default_host_base ? host_image
                                                                 : platform::ImageRange{0, 0}) {}

void GuardedHostWriter::patch_byte(HostAddress address, std::uint8_t value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_byte(address, value);
}

void GuardedHostWriter::patch_float(HostAddress address, float value) {
    if (host_image_.contains(address, sizeof value)) injector::patch_float(address, value);
}

} // namespace hud
