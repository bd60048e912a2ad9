#pragma once
// The one seam between the plugin and the operating system: page protection, the
// host's executable module, and the file-system existence test. Only the Windows
// implementation of this header sees windows.h.

#include <cstdint>

namespace platform {

using Address = std::uint32_t;

inline constexpr std::uint32_t page_noaccess = 0x01;
inline constexpr std::uint32_t page_readonly = 0x02;
inline constexpr std::uint32_t page_readwrite = 0x04;
inline constexpr std::uint32_t page_execute_read = 0x20;
inline constexpr std::uint32_t page_execute_readwrite = 0x40;

// VirtualProtect: changes the protection of every page the range touches and reports
// the first page's previous protection into `old`. True on success.
bool change_protection(Address address, std::uint32_t size, std::uint32_t protection,
                       std::uint32_t& old);

enum class Access { read, write };

// VirtualQuery over the whole range: every page committed, not a guard page, and
// readable (or writable) under its current protection.
bool accessible(Address address, std::uint32_t size, Access access);

// GetModuleHandleA(nullptr): the load address of the process's executable.
Address executable_module_base();

// The executable's image as mapped: its load address and SizeOfImage.
struct ImageRange {
    Address base;
    std::uint32_t size;
    bool contains(Address address, std::uint32_t length) const {
        return address >= base && length <= size && address - base <= size - length;
    }
};
ImageRange executable_image();

// GetModuleFileNameA on the executable's module: the length written, 0 on failure.
// A result equal to `size` means the platform truncated the path.
std::uint32_t executable_path(char* buffer, std::uint32_t size);

// A reference on the library or executable that holds `address`, taken with
// GetModuleHandleExA and given back with FreeLibrary: code there stays mapped while it
// is held. Empty when no module holds the address.
class ModuleHold {
public:
    ModuleHold() = default;
    explicit ModuleHold(Address address);
    ModuleHold(ModuleHold&& from) noexcept : module(from.module) { from.module = nullptr; }
    ModuleHold& operator=(ModuleHold&& from) noexcept;
    ~ModuleHold() { release(); }

    void release();
    bool holds() const { return module != nullptr; }

private:
    void* module = nullptr;
};

// _access(path, 0): any file-system entry of that name, folders included.
bool path_exists(const char* path);

// Tests and benchmarks observe protection changes through this; null in the plugin.
struct ProtectionCall {
    Address address;
    std::uint32_t size;
    std::uint32_t protection;
    bool succeeded;
};
using ProtectionObserver = void (*)(const ProtectionCall&);
void set_protection_observer(ProtectionObserver observer);

} // namespace platform
