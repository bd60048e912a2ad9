// The recolour pass's writes on host pages in every state a broken or unusual host
// could leave them in: each write either lands or is skipped, and no page's
// protection changes for good.

#include "config/settings_file.hpp"
#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "hud/apply_settings.hpp"
#include "injector/guarded_access.hpp"
#include "support/allocation_counter.hpp"
#include "support/host_memory.hpp"
#include "support/temp_files.hpp"

#include <gtest/gtest.h>

#include <map>

namespace {

enum class PageState { free, reserved, read_only_view, guard, no_access, code };

// Each 4 KiB host page the table writes to gets a 64 KiB region of its own, so that
// every page can be in any state, free included.
struct HostPage {
    std::uint32_t host_page;
    PageState state;
};
constexpr HostPage pages[] = {{0x557, PageState::free},           {0x558, PageState::reserved},
                              {0x559, PageState::read_only_view}, {0x55a, PageState::guard},
                              {0x55b, PageState::no_access},      {0x697, PageState::code}};
std::uint32_t region_base = 0; // a free stretch, found when the host is laid out

std::uint32_t free_stretch(std::size_t regions) {
    void* probe = VirtualAlloc(nullptr, 0x10000 * regions, MEM_RESERVE, PAGE_NOACCESS);
    VirtualFree(probe, 0, MEM_RELEASE);
    return test_support::address_of(probe);
}

std::uint32_t region_of(std::size_t index) {
    return region_base + 0x10000 * index;
}

class FaultyHost {
public:
    FaultyHost() {
        region_base = free_stretch(std::size(pages));
        for (std::size_t i = 0; i < std::size(pages); ++i)
            make(i, pages[i].state);
    }
    ~FaultyHost() {
        for (void* view : views_)
            UnmapViewOfFile(view);
        for (void* region : regions_)
            VirtualFree(region, 0, MEM_RELEASE);
        for (HANDLE section : sections_)
            CloseHandle(section);
    }
    FaultyHost(const FaultyHost&) = delete;
    FaultyHost& operator=(const FaultyHost&) = delete;

    // Where a host address lives in this process, or 0 for a page the table never uses.
    static std::uint32_t relocate(std::uint32_t address) {
        for (std::size_t i = 0; i < std::size(pages); ++i)
            if (address >> 12 == pages[i].host_page) return region_of(i) + (address & 0xFFF);
        return 0;
    }
    static PageState state_of(std::uint32_t address) {
        for (const auto& page : pages)
            if (address >> 12 == page.host_page) return page.state;
        return PageState::free;
    }
    bool ready() const { return ready_; }

    static MEMORY_BASIC_INFORMATION query(std::uint32_t address) {
        MEMORY_BASIC_INFORMATION info{};
        VirtualQuery(reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)), &info,
                     sizeof info);
        return info;
    }

    // Reads a byte of a page whatever its protection, leaving the protection as it was.
    static std::uint8_t peek(std::uint32_t address) {
        auto* p = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(address));
        DWORD old = 0;
        if (!VirtualProtect(p, 1, PAGE_READONLY, &old)) return *p;
        const std::uint8_t value = *p;
        VirtualProtect(p, 1, old, &old);
        return value;
    }

private:
    void make(std::size_t index, PageState state) {
        void* at = reinterpret_cast<void*>(static_cast<std::uintptr_t>(region_of(index)));
        void* made = at;
        switch (state) {
        case PageState::free:
            ready_ &= query(region_of(index)).State == MEM_FREE;
            return;
        case PageState::reserved:
            made = VirtualAlloc(at, 0x10000, MEM_RESERVE, PAGE_NOACCESS);
            break;
        case PageState::guard:
            made = VirtualAlloc(at, 0x1000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE | PAGE_GUARD);
            break;
        case PageState::no_access:
            made = VirtualAlloc(at, 0x1000, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
            break;
        case PageState::code:
            made = VirtualAlloc(at, 0x1000, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READ);
            break;
        case PageState::read_only_view: {
            HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                0x10000, nullptr);
            sections_.push_back(section);
            made = MapViewOfFileEx(section, FILE_MAP_READ, 0, 0, 0x10000, at);
            if (made) views_.push_back(made);
            ready_ &= made == at;
            return;
        }
        }
        if (made) regions_.push_back(made);
        ready_ &= made == at;
    }

    std::vector<void*> regions_, views_;
    std::vector<HANDLE> sections_;
    bool ready_ = true;
};

// The plugin's own guarded writes, aimed at the relocated pages.
class RelocatingWriter final : public hud::HostWriter {
public:
    void patch_byte(HostAddress address, std::uint8_t value) override {
        injector::patch_byte(FaultyHost::relocate(address), value);
    }
    void patch_float(HostAddress address, float value) override {
        injector::patch_float(FaultyHost::relocate(address), value);
    }
};

bool lands_on(PageState state) {
    return state == PageState::guard || state == PageState::no_access || state == PageState::code;
}

TEST(HudPassOnFaultyPages, UnreachableWritesAreSkippedAndTheRestLand) {
    const FaultyHost host;
    ASSERT_TRUE(host.ready()) << "could not lay out the test pages";
    std::map<std::uint32_t, MEMORY_BASIC_INFORMATION> before;
    for (std::size_t i = 0; i < std::size(pages); ++i)
        before[i] = FaultyHost::query(region_of(i));

    hud::RecordingWriter expected;
    hud::apply_settings(config::SettingsFile{nullptr}, expected);
    RelocatingWriter writer;
    hud::apply_settings(config::SettingsFile{nullptr}, writer); // the process survives this

    int landed = 0;
    for (const auto& write : expected.writes()) {
        const PageState state = FaultyHost::state_of(write.address);
        if (!lands_on(state)) continue;
        const std::uint32_t at = FaultyHost::relocate(write.address);
        if (write.kind == hud::RecordedWrite::Kind::byte) {
            EXPECT_EQ(FaultyHost::peek(at), write.byte) << std::hex << write.address;
        } else {
            std::uint8_t bytes[4];
            for (int b = 0; b < 4; ++b)
                bytes[b] = FaultyHost::peek(at + b);
            float value = 0;
            std::memcpy(&value, bytes, 4);
            EXPECT_EQ(value, write.real) << std::hex << write.address;
        }
        ++landed;
    }
    EXPECT_GT(landed, 20);
    for (std::size_t i = 0; i < std::size(pages); ++i) {
        const auto after = FaultyHost::query(region_of(i));
        EXPECT_EQ(after.State, before[i].State) << i;
        EXPECT_EQ(after.Protect, before[i].Protect) << i;
    }
    EXPECT_EQ(FaultyHost::peek(FaultyHost::relocate(0x5590ca)), 0); // the read-only view
}

// Counts the writes, allocating nothing itself.
class CountingWriter final : public hud::HostWriter {
public:
    void patch_byte(HostAddress, std::uint8_t) override { ++writes; }
    void patch_float(HostAddress, float) override { ++writes; }
    int writes = 0;
};

// Nothing in the pass can fail for want of memory: it asks for none, whatever the file.
TEST(HudPassMemory, ThePassAllocatesNothingWhateverTheFile) {
    std::string ini = "MoneyColor=1 2 3\n";
    for (int n = 0; n < 200000; ++n)
        ini += "Key" + std::to_string(n) + "=" + std::string(n % 300, 'v') + "\n";
    const test_support::TempDir dir;
    const auto path = dir.write("Tessivar.VC.ini", ini).string();

    const test_support::AllocationCount locating;
    config::locate_settings_file();
    EXPECT_EQ(locating.allocations(), 0u);

    config::store_settings_path(path);
    CountingWriter writer;
    const test_support::AllocationCount passing;
    hud::recolour_from_settings_path(writer);
    EXPECT_EQ(passing.allocations(), 0u);
    EXPECT_EQ(writer.writes, hud::hud_write_count);
}

} // namespace
