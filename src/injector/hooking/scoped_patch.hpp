#pragma once
// Restorable patches of host code: a few saved bytes that go back when their owner
// asks or is destroyed, and the five-byte relative call placed over a call site.
// Addresses here are process addresses (already rebased and translated).

#include "injector/guarded_access.hpp"
#include "injector/hooking/assertion.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace injector {

// Where the branch at `at` leads (E8/E9 relative, FF 15/FF 25 through a cell), or 0.
HostAddress branch_target(HostAddress at);

// Writes a relative call to `target` over `length` bytes at `at`; returns where `at` led.
HostAddress write_call(HostAddress at, HostAddress target, std::uint32_t length = 5);

class scoped_base {
public:
    virtual ~scoped_base() = default;
    virtual void restore_saved() = 0;
};

template <std::size_t bufsize>
class scoped_basic : public scoped_base {
public:
    scoped_basic() = default;
    scoped_basic(const scoped_basic&) = delete;
    scoped_basic& operator=(const scoped_basic&) = delete;
    // Never a derived override here: the derived part is gone by now.
    ~scoped_basic() override { scoped_basic::restore_saved(); }

    void restore_saved() override {
        if (!saved) return;
        guarded_write(address, saved_bytes.data(), size, unprotect);
        saved = false;
    }

    virtual void save_bytes(HostAddress at, std::uint32_t count, bool change_protection) {
        check_assertion(count <= bufsize, "size <= bufsize");
        restore_saved();
        unprotect = change_protection;
        saved = true;
        address = at;
        size = count;
        guarded_read(address, saved_bytes.data(), size, unprotect);
    }

    // Drops the saved bytes without writing them: the site is no longer ours to give back.
    void forget_saved() { saved = false; }

    bool has_saved() const { return saved; }
    HostAddress saved_address() const { return address; }
    std::uint32_t saved_size() const { return size; }
    const std::array<std::uint8_t, bufsize>& bytes() const { return saved_bytes; }

private:
    std::array<std::uint8_t, bufsize> saved_bytes{};
    HostAddress address = 0;
    std::uint32_t size = 0;
    bool saved = false;
    bool unprotect = false;
};

class scoped_call : public scoped_basic<5> {
public:
    HostAddress place_call(HostAddress at, HostAddress target) {
        save_bytes(at, 5, true);
        return write_call(at, target);
    }
};

// How many bytes the call at `at` takes, so that all of it can be replaced: 5 for a
// relative call, 6 for an indirect call through a cell, 0 for anything else. A jump is
// 0: turned into a call, it would change where the game goes after it.
std::uint32_t call_length(HostAddress at);

} // namespace injector
