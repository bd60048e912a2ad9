#include "injector/guarded_access.hpp"

namespace injector {

protection_guard::protection_guard(HostAddress address, std::uint32_t size, platform::Access access)
    : address_(address), size_(size) {
    if (size_ == 0) return;
    changed_ = platform::change_protection(address_, size_, platform::page_execute_readwrite,
                                           saved_protection_);
    usable_ = changed_ || platform::accessible(address_, size_, access);
}

protection_guard::~protection_guard() {
    if (!changed_) return;
    std::uint32_t scratch = 0;
    platform::change_protection(address_, size_, saved_protection_, scratch);
}

namespace {

// Without `unprotect` no protection changes; the page is still looked at, so that an
// unreachable range is skipped rather than faulted on.
bool guarded_copy(void* to, const void* from, HostAddress address, std::uint32_t count,
                  bool unprotect, platform::Access access) {
    if (count == 0) return true;
    const protection_guard guard{address, unprotect ? count : 0, access};
    const bool allowed = unprotect ? guard.usable() : platform::accessible(address, count, access);
    if (allowed) std::memcpy(to, from, count);
    return allowed;
}

} // namespace

bool guarded_read(HostAddress address, void* destination, std::uint32_t count, bool unprotect) {
    return guarded_copy(destination, host_pointer(address), address, count, unprotect,
                        platform::Access::read);
}

bool guarded_write(HostAddress address, const void* source, std::uint32_t count, bool unprotect) {
    return guarded_copy(host_pointer(address), source, address, count, unprotect,
                        platform::Access::write);
}

void patch_byte(HostAddress address, std::uint8_t value) {
    guarded_write(address, value);
}

void patch_float(HostAddress address, float value) {
    guarded_write(address, value);
}

} // namespace injector
