#pragma once
// Real pages for tests that patch memory: allocated with VirtualAlloc, given the
// protection a host's code would have, and released at the end.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/host_services.hpp"

namespace test_support {

inline std::uint32_t address_of(const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

class Pages {
public:
    explicit Pages(DWORD protection, SIZE_T size = 0x2000, DWORD type = MEM_COMMIT | MEM_RESERVE)
        : size_(size) {
        base_ = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, size, type, PAGE_READWRITE));
        if (base_ && (type & MEM_COMMIT)) protect(protection);
    }
    ~Pages() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    Pages(const Pages&) = delete;
    Pages& operator=(const Pages&) = delete;

    void protect(DWORD protection) {
        DWORD old = 0;
        VirtualProtect(base_, size_, protection, &old);
    }
    DWORD protection_at(std::size_t offset) const {
        MEMORY_BASIC_INFORMATION info{};
        VirtualQuery(base_ + offset, &info, sizeof info);
        return info.Protect;
    }
    std::uint8_t* data() const { return base_; }
    std::uint32_t address(std::size_t offset = 0) const { return address_of(base_ + offset); }

private:
    std::uint8_t* base_ = nullptr;
    SIZE_T size_;
};

// An address range that is free: reserved, then released again.
inline std::uint32_t free_address() {
    void* p = VirtualAlloc(nullptr, 0x10000, MEM_RESERVE, PAGE_NOACCESS);
    VirtualFree(p, 0, MEM_RELEASE);
    return address_of(p);
}

// Records every protection change the plugin's code makes while it is alive.
class ProtectionLog {
public:
    ProtectionLog() {
        calls().clear();
        platform::set_protection_observer(&record);
    }
    ~ProtectionLog() { platform::set_protection_observer(nullptr); }
    const std::vector<platform::ProtectionCall>& entries() const { return calls(); }

private:
    static std::vector<platform::ProtectionCall>& calls() {
        static std::vector<platform::ProtectionCall> log;
        return log;
    }
    static void record(const platform::ProtectionCall& call) { calls().push_back(call); }
};

} // namespace test_support
