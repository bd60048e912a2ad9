#pragma once
// The production HostWriter: guarded writes into the host's own memory.

#include "hud/host_writer.hpp"
#include "platform/host_services.hpp"

namespace hud {

class GuardedHostWriter final : public HostWriter {
public:
    // Writes only into the host executable's own image, and only when that image lies
    // at the default base: the HUD addresses are not rebased, so on a host loaded
    // elsewhere they would land in unrelated memory, inside its image or outside.
    explicit GuardedHostWriter(platform::ImageRange host_image);

    void patch_byte(HostAddress address, std::uint8_t value) override;
    void patch_float(HostAddress address, float value) override;

private:
    platform::ImageRange host_image_;
};

} // namespace hud
