#pragma once
// The two writes the recolour pass makes. The plugin writes host memory; tests and
// tools record what would be written.

#include "common/host_address.hpp"

#include <cstdint>
#include <cstring>
#include <vector>

namespace hud {

class HostWriter {
public:
    virtual ~HostWriter() = default;
    virtual void patch_byte(HostAddress address, std::uint8_t value) = 0;
    virtual void patch_float(HostAddress address, float value) = 0;
};

struct RecordedWrite {
    enum class Kind { byte, real } kind;
    HostAddress address;
    std::uint8_t byte;
    float real;

    // The same write: the same bytes reach the same address (a NaN equals itself).
    friend bool operator==(const RecordedWrite& a, const RecordedWrite& b) {
        return a.kind == b.kind && a.address == b.address && a.byte == b.byte &&
               std::memcmp(&a.real, &b.real, sizeof a.real) == 0;
    }
};

class RecordingWriter final : public HostWriter {
public:
    void patch_byte(HostAddress address, std::uint8_t value) override {
        writes_.push_back({RecordedWrite::Kind::byte, address, value, 0.0f});
    }
    void patch_float(HostAddress address, float value) override {
        writes_.push_back({RecordedWrite::Kind::real, address, 0, value});
    }
    const std::vector<RecordedWrite>& writes() const { return writes_; }

private:
    std::vector<RecordedWrite> writes_;
};

} // namespace hud
