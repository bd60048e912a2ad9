#include "platform/host_services.hpp"

#include <io.h>
#include <windows.h>

#include <cstring>

namespace platform {
namespace {

ProtectionObserver protection_observer = nullptr;

// A PE header lies within the first pages of the image; an offset beyond this is damage.
constexpr std::uint32_t max_header_offset = 0x10000;

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

namespace {

// Copies from the executable's header only where the pages allow it as they stand: a
// header made unreadable is no reason to fault inside the game.
template <class T>
bool read_header(Address address, T& value) {
    if (!accessible(address, sizeof value, Access::read)) return false;
    std::memcpy(&value, pointer(address), sizeof value);
    return true;
}

// SizeOfImage from a well-formed header, or 0 when the header cannot be trusted.
std::uint32_t header_image_size(Address base) {
    IMAGE_DOS_HEADER dos{};
    if (!read_header(base, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return 0;
    const auto offset = static_cast<std::uint32_t>(dos.e_lfanew);
    if (offset < sizeof dos || offset > max_header_offset) return 0;
    IMAGE_NT_HEADERS32 nt{};
    if (!read_header(base + offset, nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
        nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return 0;
    return nt.OptionalHeader.SizeOfImage;
}

// Whether `address` lies in the allocation that begins at `base`.
bool same_allocation(Address base, std::uint64_t address) {
    MEMORY_BASIC_INFORMATION info{};
    return address < 0x100000000ull &&
           VirtualQuery(pointer(static_cast<Address>(address)), &info, sizeof info) != 0 &&
           info.State != MEM_FREE && info.AllocationBase == pointer(base);
}

// How far the executable's mapping reaches from its base, as the system reports it:
// the regions that belong to the same allocation.
std::uint32_t mapped_image_size(Address base) {
    std::uint64_t at = base;
    MEMORY_BASIC_INFORMATION info{};
    while (same_allocation(base, at) &&
           VirtualQuery(pointer(static_cast<Address>(at)), &info, sizeof info) != 0 &&
           info.RegionSize != 0)
        at = reinterpret_cast<UINT_PTR>(info.BaseAddress) + std::uint64_t{info.RegionSize};
    return static_cast<std::uint32_t>(at - base);
}

} // namespace

ImageRange executable_image() {
    // The header's size when the mapping reaches that far; with no header to trust, the
    // mapping itself, and the per-access checks of every write still apply.
    const Address base = executable_module_base();
    const std::uint32_t declared = header_image_size(base);
    if (declared != 0 && same_allocation(base, std::uint64_t{base} + declared - 1))
        return {base, declared};
    return {base, mapped_image_size(base)};
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
