// A stand-in for the game: an i686 executable whose image covers every host address
// the plugin uses. It lays out call sites, a build signature and HUD bytes the way a
// real host build has them, loads the plugin as the game's plugin loader would, runs
// its "game loop" on a script given on the command line, and prints what it sees.
//
//   simulated_host [--build 100|110|120|none] [--sites nop] COMMAND...
//     --sites nop   the call sites hold no branch (a host the tables do not fit)
//     load DLL      LoadLibraryA
//     unload        FreeLibrary
//     call N        execute the build's call site N times
//     copy SRC DST  replace a file (an ini edited between two calls)
//     delete PATH   remove a file
//     dump LABEL    print call sites, their protection and every HUD target
//     cycle N DLL   load, call once, unload, N times; print the sites' state after each
//     counts LABEL  print the open handles and the committed private memory

#include "hud/hud_setting_table.hpp"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Address = std::uint32_t;

constexpr Address default_base = 0x400000;
constexpr Address image_bytes = 0x149000; // 0x550000 up to 0x699000
constexpr Address image_start = 0x550000; // in default-base terms
constexpr std::uint32_t host_result = 0x5EED1E55;

struct CallSite {
    Address site;
    int build;
    Address probe;
};
constexpr CallSite call_sites[] = {
    {0x600411, 100, 0x667BF0}, {0x600431, 110, 0x667C40}, {0x600071, 120, 0x666BA0}};

// The host's part of the image that the plugin's tables name: code, data, HUD bytes.
__attribute__((section(".hostimg"), used, aligned(4096))) std::uint8_t host_image[0x300000] = {1};

int host_function_calls = 0;

extern "C" __attribute__((noinline)) void* host_function() {
    ++host_function_calls;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(host_result));
}

Address module_base() {
    return static_cast<Address>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)));
}

// A host address as it is in this process.
std::uint8_t* at(Address host_address) {
    return reinterpret_cast<std::uint8_t*>(
        static_cast<std::uintptr_t>(host_address - default_base + module_base()));
}

std::uint8_t hud_byte(Address address) {
    return static_cast<std::uint8_t>(0xA5 ^ address);
}

void lay_out(int build, bool branch_sites) {
    const auto first = reinterpret_cast<std::uintptr_t>(at(image_start));
    const auto ours = reinterpret_cast<std::uintptr_t>(host_image);
    if (first < ours || first + image_bytes > ours + sizeof host_image) {
        std::printf("error image does not cover the host addresses\n");
        std::exit(3);
    }
    for (const CallSite& call : call_sites) {
        std::uint8_t* code = at(call.site);
        const auto target =
            static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(&host_function) -
                                      (reinterpret_cast<std::uintptr_t>(code) + 5));
        code[0] = 0xE8;
        std::memcpy(code + 1, &target, 4);
        code[5] = 0xC3;
        if (!branch_sites) std::memset(code, 0x90, 5); // nothing to follow: nops, then ret
        if (call.build == build) std::memcpy(at(call.probe), "\x55\x89\xE5\x53", 4);
    }
    for (const auto& row : hud::hud_setting_table)
        for (int i = 0; i < hud::component_count(row.kind); ++i)
            for (int b = 0; b < (row.kind == hud::SettingKind::Float ? 4 : 1); ++b)
                *at(row.targets[i] + b) = hud_byte(row.targets[i] + b);
    DWORD old = 0;
    VirtualProtect(at(image_start), image_bytes, PAGE_EXECUTE_READ, &old);
    FlushInstructionCache(GetCurrentProcess(), at(image_start), image_bytes);
}

DWORD protection_of(const void* p) {
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(p, &info, sizeof info)) return 0;
    return info.State == MEM_COMMIT ? info.Protect : 0;
}

void print_site(const char* label, const CallSite& call) {
    const std::uint8_t* code = at(call.site);
    std::printf("%s site 0x%06x %02x %02x %02x %02x %02x protect 0x%02lx\n", label,
                static_cast<unsigned>(call.site), code[0], code[1], code[2], code[3], code[4],
                protection_of(code));
}

void dump(const char* label) {
    for (const CallSite& call : call_sites)
        print_site(label, call);
    for (std::size_t row_index = 0; row_index < hud::hud_setting_table.size(); ++row_index) {
        const auto& row = hud::hud_setting_table[row_index];
        for (int i = 0; i < hud::component_count(row.kind); ++i) {
            const Address host = row.targets[i];
            const int width = row.kind == hud::SettingKind::Float ? 4 : 1;
            std::printf("%s hud 0x%06x", label, static_cast<unsigned>(host));
            for (int b = 0; b < width; ++b)
                std::printf(" %02x", at(host)[b]);
            // What lies at the address as written, when this host is not at 0x400000.
            if (module_base() != default_base)
                std::printf(" unrebased 0x%02lx", protection_of(reinterpret_cast<void*>(
                                                      static_cast<std::uintptr_t>(host))));
            const auto part = hud::component_name(row.kind, i);
            const auto element = hud::hud_element_name(row_index);
            std::printf(" # %s %.*s %.*s\n", row.key, static_cast<int>(part.size()), part.data(),
                        static_cast<int>(element.size()), element.data());
        }
    }
}

void call_site(int build, int times) {
    for (const CallSite& call : call_sites) {
        if (call.build != build) continue;
        auto* entry = reinterpret_cast<void* (*)()>(at(call.site));
        for (int n = 0; n < times; ++n) {
            const void* result = entry();
            std::printf("call result 0x%08x host_calls %d\n",
                        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(result)),
                        host_function_calls);
        }
        return;
    }
    std::printf("call none\n");
}

// Open handles and committed private memory, counted directly: Wine does not keep the
// process counters that GetProcessHandleCount and GetProcessMemoryInfo report.
void counts(const char* label) {
    unsigned handles = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++handles;
    }
    unsigned long long committed = 0;
    MEMORY_BASIC_INFORMATION info{};
    for (std::uintptr_t at = 0; VirtualQuery(reinterpret_cast<void*>(at), &info, sizeof info);) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) committed += info.RegionSize;
        const std::uintptr_t next =
            reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    std::printf("%s counts handles %u private %llu\n", label, handles, committed);
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int build = 100;
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--build") == 0) {
        build = std::strcmp(argv[arg + 1], "none") == 0 ? 0 : std::atoi(argv[arg + 1]);
        arg += 2;
    }
    bool branch_sites = true;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--sites") == 0) {
        branch_sites = std::strcmp(argv[arg + 1], "nop") != 0;
        arg += 2;
    }
    lay_out(build, branch_sites);
    std::printf("host base 0x%08x build %d\n", static_cast<unsigned>(module_base()), build);

    HMODULE plugin = nullptr;
    for (; arg < argc; ++arg) {
        const std::string command = argv[arg];
        const char* next = arg + 1 < argc ? argv[arg + 1] : "";
        if (command == "load") {
            plugin = LoadLibraryA(next);
            std::printf("load %s\n", plugin ? "ok" : "failed");
            ++arg;
        } else if (command == "unload") {
            std::printf("unload %s\n", plugin && FreeLibrary(plugin) ? "ok" : "failed");
            plugin = nullptr;
        } else if (command == "call") {
            call_site(build, std::atoi(next));
            ++arg;
        } else if (command == "copy" && arg + 2 < argc) {
            std::printf("copy %s\n", CopyFileA(next, argv[arg + 2], FALSE) ? "ok" : "failed");
            arg += 2;
        } else if (command == "delete") {
            DeleteFileA(next);
            ++arg;
        } else if (command == "dump") {
            dump(next);
            ++arg;
        } else if (command == "counts") {
            counts(next);
            ++arg;
        } else if (command == "cycle" && arg + 2 < argc) {
            const int times = std::atoi(next);
            for (int n = 0; n < times; ++n) {
                HMODULE cycled = LoadLibraryA(argv[arg + 2]);
                call_site(build, 1);
                if (cycled) FreeLibrary(cycled);
                for (const CallSite& call : call_sites)
                    print_site("cycle", call);
            }
            arg += 2;
        } else {
            std::printf("error unknown command %s\n", command.c_str());
            return 2;
        }
    }
    std::printf("exit\n");
    return 0;
}
