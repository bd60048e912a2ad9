#include "platform/host_services.hpp"

#include <io.h>
#include <windows.h>

namespace platform {
namespace {

ProtectionObserver protection_observer = nullptr;

void* pointer(Address address) {
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(address));
}

bool allows(DWORD protection, Access access) {
    if (protection & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    const DWORD base = protection & 0xFF;
    const DWORD writable =
        PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const DWORD readable = writable | PAGE_READONLY | PAGE_EXECUTE_READ;
    return (base & (access == Access::write ? writable : readable)) != 0;
}

} // namespace

bool change_protection(Address address, std::uint32_t size, std::uint32_t protection,
                       std::uint32_t& old) {
    DWORD previous = 0;
    const bool ok = VirtualProtect(pointer(address), size, protection, &previous) != 0;
    if (ok) old = previous;
    if (protection_observer) protection_observer({address, size, protection, ok});
    return ok;
}

bool accessible(Address address, std::uint32_t size, Access access) {
    const std::uint64_t end = std::uint64_t{address} + (size ? size : 1);
    std::uint64_t at = address;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(pointer(static_cast<Address>(at)), &info, sizeof info) == 0) return false;
        if (info.State != MEM_COMMIT || !allows(info.Protect, access)) return false;
        const std::uint64_t region_end =
            reinterpret_cast<UINT_PTR>(info.BaseAddress) + std::uint64_t{info.RegionSize};
        if (region_end <= at) return false;
        at = region_end;
    }
    return true;
}

Address executable_module_base() {
    return static_cast<Address>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)));
}

ImageRange executable_image() {
    const auto* image = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    return {executable_module_base(), nt->OptionalHeader.SizeOfImage};
}

std::uint32_t executable_path(char* buffer, std::uint32_t size) {
    return GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, size);
}

ModuleHold::ModuleHold(Address address) {
    HMODULE held = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           static_cast<LPCSTR>(pointer(address)), &held))
        module = held;
}

ModuleHold& ModuleHold::operator=(ModuleHold&& from) noexcept {
    if (this != &from) {
        release();
        module = from.module;
        from.module = nullptr;
    }
    return *this;
}

void ModuleHold::release() {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
    module = nullptr;
}

bool path_exists(const char* path) {
    return _access(path, 0) == 0;
}

void set_protection_observer(ProtectionObserver observer) {
    protection_observer = observer;
}

} // namespace platform
