// A stand-in for the game: an i686 executable whose image holds, in the file itself,
// every host location the plugin uses: the call sites, the build signature and the HUD
// bytes, in a code section at the game's addresses, and the cursor sizes in a data
// section. It loads plugins as a game's plugin loader or an ASI loader would, runs its
// "game loop" on a script given on the command line, and prints what it sees.
//
//   simulated_host [--asi-loader] [--sites FORM] COMMAND...
//     --asi-loader  before the game's code runs (during the runtime's start-up), load
//                   every *.asi from the game folder, then scripts\ and plugins\ (their
//                   immediate subfolders first), each with the current folder set to
//                   its own; dump "start" just before
//     --sites FORM  the call sites hold, instead of the game's call: nop, no branch (a
//                   host the tables do not fit); ff15, a six-byte call through the cell
//                   (as another mod's hook leaves it); jmp or ff25, a jump to the game's
//                   function, with "return 0x0bad0bad" after it
//     load DLL      LoadLibraryA
//     unload        FreeLibrary of what `load` loaded
//     unload-asi N  FreeLibrary of the N-th library the ASI loader loaded (from 0)
//     call N        execute the build's call site N times
//     copy SRC DST  replace a file (an ini edited between two calls)
//     delete PATH   remove a file
//     dump LABEL    print call sites, their protection and every HUD target
//     cycle N DLL   load, call once, unload, N times; print the sites' state after each
//     counts LABEL  print the open handles and the committed private memory
//     reserve MB    reserve all the address space that is free but MB mebibytes
//     header HOW    damage the executable's header: noaccess (its page made no-access)
//                   or garble (e_lfanew pointing 2 GiB away)
//
// The build (100, 110, 120, or 0 for none) and the image base are fixed when it is built.

#include "simhost/host_image.hpp"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace simhost;

int host_function_calls = 0;

std::uint8_t* at(Address host_address);

// A game's function may set HUD bytes of its own: the money's red here, each call. The
// plugin's pass, run after it, must have the last word.
void set_own_money_red() {
    constexpr Address money_red = hud::hud_setting_table[hud::row_of("MoneyColor")].targets[0];
    std::uint8_t* red = at(money_red);
    DWORD old = 0;
    if (!VirtualProtect(red, 1, PAGE_EXECUTE_READWRITE, &old)) return;
    *red = hud_byte(money_red);
    VirtualProtect(red, 1, old, &old);
}

extern "C" __attribute__((noinline)) void* host_function() {
    ++host_function_calls;
    set_own_money_red();
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(host_result));
}

// The game's code and data, as the executable file holds them.
__attribute__((section(".hostimg,\"xr\" #"), used)) const CodeImage host_code = make_code_image();
__attribute__((section(".hostdat"), used)) HostData host_data{&host_function, make_data_bytes()};

Address module_base() {
    return static_cast<Address>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)));
}

// A host address as it is in this process.
std::uint8_t* at(Address host_address) {
    return reinterpret_cast<std::uint8_t*>(
        static_cast<std::uintptr_t>(host_address - default_base + module_base()));
}

DWORD protection_of(const void* p) {
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(p, &info, sizeof info)) return 0;
    return info.State == MEM_COMMIT ? info.Protect : 0;
}

void check_layout() {
    if (reinterpret_cast<const std::uint8_t*>(&host_code) != at(code_start) ||
        reinterpret_cast<std::uint8_t*>(&host_data) != at(data_start)) {
        std::printf("error image is not at the host addresses\n");
        std::exit(3);
    }
}

void write_code(Address host_address, const std::vector<std::uint8_t>& bytes) {
    DWORD old = 0;
    VirtualProtect(at(host_address), bytes.size(), PAGE_EXECUTE_READWRITE, &old);
    std::memcpy(at(host_address), bytes.data(), bytes.size());
    VirtualProtect(at(host_address), bytes.size(), old, &old);
}

std::vector<std::uint8_t> with_u32(std::vector<std::uint8_t> bytes, std::uint32_t value) {
    for (int b = 0; b < 4; ++b)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
    return bytes;
}

// What the sites hold instead of the game's call.
std::vector<std::uint8_t> site_bytes(const std::string& form, Address site) {
    const Address cell_address = module_base() + (cell - default_base);
    const auto wrong_result = with_u32({0xB8}, 0x0BAD0BAD); // mov eax, imm32
    std::vector<std::uint8_t> bytes;
    if (form == "ff15") bytes = with_u32({0xFF, 0x15}, cell_address);
    if (form == "ff25") bytes = with_u32({0xFF, 0x25}, cell_address);
    if (form == "jmp") bytes = with_u32({0xE9}, thunk - (site + 5));
    if (form == "nop") bytes.assign(5, 0x90); // nothing to follow: nops, then ret
    if (form == "jmp" || form == "ff25")
        bytes.insert(bytes.end(), wrong_result.begin(), wrong_result.end());
    bytes.push_back(0xC3);
    return bytes;
}

void lay_out_sites(const std::string& form) {
    for (const CallSite& call : call_sites)
        write_code(call.site, site_bytes(form, call.site));
    FlushInstructionCache(GetCurrentProcess(), at(code_start), code_bytes);
}

void print_site(const char* label, const CallSite& call) {
    const std::uint8_t* code = at(call.site);
    std::printf("%s site 0x%06x %02x %02x %02x %02x %02x protect 0x%02lx next %02x\n", label,
                static_cast<unsigned>(call.site), code[0], code[1], code[2], code[3], code[4],
                protection_of(code), code[5]);
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

void call_site(int times) {
    for (const CallSite& call : call_sites) {
        if (call.build != simulated_build) continue;
        auto* entry = reinterpret_cast<void* (*)()>(at(call.site));
        LARGE_INTEGER frequency{}, start{}, end{};
        QueryPerformanceFrequency(&frequency);
        for (int n = 0; n < times; ++n) {
            QueryPerformanceCounter(&start);
            const void* result = entry();
            QueryPerformanceCounter(&end);
            std::printf("call result 0x%08x host_calls %d ms %.3f\n",
                        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(result)),
                        host_function_calls,
                        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
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

bool has_option(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

const char* option_value(int argc, char** argv, const char* option) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return argv[i + 1];
    return nullptr;
}

// Reserves all the free address space but `leave` bytes in one piece: what the game has
// left when it is nearly out of memory. The piece is held while the rest is taken.
void reserve_all_but(std::size_t leave) {
    void* const kept = VirtualAlloc(nullptr, leave, MEM_RESERVE, PAGE_NOACCESS);
    std::uint64_t reserved = 0;
    for (std::size_t size = std::size_t{1} << 30; size >= 0x10000; size /= 2)
        while (VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            reserved += size;
    if (kept) VirtualFree(kept, 0, MEM_RELEASE);
    std::printf("reserve %s\nreserved %llu MiB\n", kept ? "ok" : "failed", reserved >> 20);
}

void damage_header(const std::string& how) {
    auto* header = at(default_base);
    DWORD old = 0;
    if (how == "noaccess") {
        std::printf("header %s\n",
                    VirtualProtect(header, 0x1000, PAGE_NOACCESS, &old) ? "ok" : "failed");
        return;
    }
    VirtualProtect(header, 0x1000, PAGE_READWRITE, &old);
    reinterpret_cast<IMAGE_DOS_HEADER*>(header)->e_lfanew = 0x80000000;
    VirtualProtect(header, 0x1000, old, &old);
    std::printf("header garbled\n");
}

// --- The ASI loader ---------------------------------------------------------------

std::vector<HMODULE> asi_modules;

std::string game_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Names in `folder` (with its trailing backslash) that match `pattern`, in name order.
std::vector<std::string> entries(const std::string& folder, const char* pattern, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const std::string name = found.cFileName;
        if (is_folder == folders && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void load_asi_files(const std::string& game, const std::string& relative) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    for (const std::string& name : entries(game + relative, "*.asi", false)) {
        const std::string path = game + relative + name;
        SetCurrentDirectoryA((game + relative).c_str());
        HMODULE module = LoadLibraryA(path.c_str());
        SetCurrentDirectoryA(previous);
        std::printf("asi %s%s %s\n", relative.c_str(), name.c_str(), module ? "loaded" : "failed");
        if (module) asi_modules.push_back(module);
    }
}

void load_asi_plugins() {
    if (!has_option(__argc, __argv, "--asi-loader")) return;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    dump("start");
    const std::string game = game_folder();
    load_asi_files(game, "");
    for (const char* folder : {"scripts\\", "plugins\\"}) {
        for (const std::string& sub : entries(game + folder, "*", true))
            load_asi_files(game, folder + sub + "\\");
        load_asi_files(game, folder);
    }
}

// Runs among the runtime's own initialisers, before main, as a loader's plugins do.
__attribute__((section(".CRT$XCU"), used)) void (*const asi_loader_entry)() = load_asi_plugins;

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    check_layout();
    if (const char* form = option_value(argc, argv, "--sites")) lay_out_sites(form);
    std::printf("host base 0x%08x build %d\n", static_cast<unsigned>(module_base()),
                simulated_build);

    HMODULE plugin = nullptr;
    for (int arg = 1; arg < argc; ++arg) {
        const std::string command = argv[arg];
        const char* next = arg + 1 < argc ? argv[arg + 1] : "";
        if (command == "--asi-loader") {
        } else if (command == "--sites") {
            ++arg;
        } else if (command == "load") {
            plugin = LoadLibraryA(next);
            std::printf("load %s\n", plugin ? "ok" : "failed");
            ++arg;
        } else if (command == "unload") {
            std::printf("unload %s\n", plugin && FreeLibrary(plugin) ? "ok" : "failed");
            plugin = nullptr;
        } else if (command == "unload-asi") {
            const auto index = static_cast<std::size_t>(std::atoi(next));
            const bool ok = index < asi_modules.size() && FreeLibrary(asi_modules[index]);
            std::printf("unload-asi %s %s\n", next, ok ? "ok" : "failed");
            ++arg;
        } else if (command == "call") {
            call_site(std::atoi(next));
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
        } else if (command == "reserve") {
            reserve_all_but(static_cast<std::size_t>(std::strtoul(next, nullptr, 10)) << 20);
            ++arg;
        } else if (command == "header") {
            damage_header(next);
            ++arg;
        } else if (command == "cycle" && arg + 2 < argc) {
            const int times = std::atoi(next);
            for (int n = 0; n < times; ++n) {
                HMODULE cycled = LoadLibraryA(argv[arg + 2]);
                call_site(1);
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
