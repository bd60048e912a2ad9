#pragma once
// Reads and writes of host memory, each bracketed by a page-protection change and a
// change back. An access whose change fails is made only when the page allows it as
// it stands, so a bad address is skipped instead of faulting inside the game.

#include "common/host_address.hpp"
#include "platform/host_services.hpp"

#include <cstdint>
#include <cstring>

namespace injector {

inline void* host_pointer(HostAddress address) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address));
}

class protection_guard {
public:
    // Size 0 makes no protection change at all.
    protection_guard(HostAddress address, std::uint32_t size, platform::Access access);
    ~protection_guard();
    protection_guard(const protection_guard&) = delete;
    protection_guard& operator=(const protection_guard&) = delete;

    // Whether the access may be made: the change succeeded, or the page allows it.
    bool usable() const { return usable_; }

private:
    HostAddress address_;
    std::uint32_t size_;
    std::uint32_t saved_protection_ = 0;
    bool changed_ = false;
    bool usable_ = true;
};

// n-byte forms: `unprotect` false (or count 0) makes no protection change. Returns
// whether the copy was made.
bool guarded_read(HostAddress address, void* destination, std::uint32_t count,
                  bool unprotect = true);
bool guarded_write(HostAddress address, const void* source, std::uint32_t count,
                   bool unprotect = true);

// Typed forms (one or four bytes); an unreachable read gives 0.
template <class T>
T guarded_read(HostAddress address) {
    T value{};
    guarded_read(address, &value, sizeof value, true);
    return value;
}

template <class T>
void guarded_write(HostAddress address, T value) {
    guarded_write(address, &value, sizeof value, true);
}

// The recolour pass's writes. They keep the page executable while they write, since
// another host thread may be running code on it.
void patch_byte(HostAddress address, std::uint8_t value);
void patch_float(HostAddress address, float value);

} // namespace injector
