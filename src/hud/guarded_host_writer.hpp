#pragma once
// The production HostWriter: guarded writes into the host's own memory.

#include "hud/host_writer.hpp"

namespace hud {

class GuardedHostWriter final : public HostWriter {
public:
    void patch_byte(HostAddress address, std::uint8_t value) override;
    void patch_float(HostAddress address, float value) override;
};

} // namespace hud
