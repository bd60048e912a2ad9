#include "injector/hooking/scoped_patch.hpp"

namespace injector {

HostAddress branch_target(HostAddress at) {
    const auto opcode = guarded_read<std::uint8_t>(at);
    if (opcode == 0xE8 || opcode == 0xE9) return at + 5 + guarded_read<std::uint32_t>(at + 1);
    if (opcode != 0xFF) return 0;
    const auto form = guarded_read<std::uint8_t>(at + 1);
    if (form != 0x15 && form != 0x25) return 0;
    const auto cell = guarded_read<std::uint32_t>(at + 2);
    // The cell is read plainly, without a protection change; one that cannot be read
    // leads nowhere.
    if (!platform::accessible(cell, 4, platform::Access::read)) return 0;
    std::uint32_t destination = 0;
    std::memcpy(&destination, host_pointer(cell), sizeof destination);
    return destination;
}

// With a `length` above 5, the bytes after the call become no-ops, so that no part of a
// longer instruction is left behind.
HostAddress write_call(HostAddress at, HostAddress target, std::uint32_t length) {
    const HostAddress previous = branch_target(at);
    // Every byte or none: half an instruction would crash the host.
    const protection_guard instruction{at, length, platform::Access::write};
    if (!instruction.usable()) return previous;
    guarded_write<std::uint8_t>(at, 0xE8);
    guarded_write<std::uint32_t>(at + 1, target - (at + 5));
    for (HostAddress padding = at + 5; padding < at + length; ++padding)
        guarded_write<std::uint8_t>(padding, 0x90);
    return previous;
}

std::uint32_t call_length(HostAddress at) {
    const auto opcode = guarded_read<std::uint8_t>(at);
    if (opcode == 0xE8) return 5;
    if (opcode == 0xFF && guarded_read<std::uint8_t>(at + 1) == 0x15) return 6;
    return 0;
}

} // namespace injector
