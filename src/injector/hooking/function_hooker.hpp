#pragma once
// Hooks that share one host call site. The site is patched once to call the site's
// own trampoline, `call_hooks`, which runs the registered hooks as a chain ending in
// the function the site called before. The last hook to go puts the site's bytes back.
//
// The call site is a template argument, so each site has its own manager, trampoline
// and statics, and the trampoline needs no context.

#include "injector/hooking/checked_call.hpp"
#include "injector/hooking/scoped_patch.hpp"
#include "injector/host_address.hpp"
#include "platform/host_services.hpp"

#include <cstring>
#include <functional>
#include <list>
#include <memory>
#include <stdexcept>
#include <utility>

namespace injector {

template <class Patch, class Hooker, class Ret, class... Args>
class function_hooker_manager;

template <class Patch, HostAddress addr, class FunctionPointer, class Ret, class... Args>
class function_hooker_base : public scoped_base {
    static_assert(sizeof...(Args) == 0, "hooked calls take no arguments in this plugin");

public:
    using manager_type = function_hooker_manager<Patch, function_hooker_base, Ret, Args...>;
    using next_fn = std::function<Ret()>;
    using hook_fn = std::function<Ret(next_fn)>;
    using trampoline_type = Ret (*)();

    static constexpr HostAddress call_site = addr;

    function_hooker_base() : manager(manager_type::instance()) {}

    // Hands the registration over: nothing is written to the site on the way.
    function_hooker_base(function_hooker_base&& from)
        : hooked(from.hooked), manager(manager_type::instance()) {
        manager->replace(&from, this);
    }
    function_hooker_base& operator=(const function_hooker_base&) = delete;

    ~function_hooker_base() override { function_hooker_base::restore_saved(); }

    void restore_saved() override {
        hooked = false;
        manager->remove(this);
    }

    virtual void install(hook_fn hook) = 0;

    void install_with(hook_fn hook, trampoline_type trampoline) {
        hooked = true;
        manager->add(this, std::move(hook));
        if (!manager->installed) manager->place(translate(rebase(call_site)), trampoline);
    }

    bool is_hooked() const { return hooked; }

private:
    bool hooked = false;
    std::shared_ptr<manager_type> manager;
};

template <class Patch, class Hooker, class Ret, class... Args>
class function_hooker_manager : private Patch {
    friend Hooker;

public:
    using next_fn = typename Hooker::next_fn;
    using hook_fn = typename Hooker::hook_fn;

    // A new share of the site's one manager, created on first use.
    static std::shared_ptr<function_hooker_manager> instance() {
        static const std::shared_ptr<function_hooker_manager> manager{new function_hooker_manager};
        return manager;
    }

    // The trampoline the call site is patched to call, with the host call's own
    // calling convention. The stack may come from host code of any alignment.
    __attribute__((force_align_arg_pointer, noinline)) static Ret call_hooks() {
        function_hooker_manager* const self = instance().get();
        if (self->hooks.empty()) return self->host_function()();
        next_fn host_step = [self]() -> Ret { return self->host_function()(); };
        if (self->hooks.size() == 1) return call_checked(self->hooks.front().second, host_step);
        // The last hook added runs outermost; the first one's `next` is the host.
        next_fn chain = host_step;
        for (const auto& entry : self->hooks)
            chain = [hook = entry.second, inner = chain]() -> Ret {
                return call_checked(hook, inner);
            };
        return call_checked(chain);
    }

    function_hooker_manager(const function_hooker_manager&) = delete;
    function_hooker_manager& operator=(const function_hooker_manager&) = delete;
    ~function_hooker_manager() override {
        hooks.clear();
        give_site_back();
    }

    void restore_saved() override {
        if (!installed) return;
        installed = false;
        hooks.clear();
        give_site_back();
    }

    bool is_installed() const { return installed; }
    std::size_t hook_count() const { return hooks.size(); }
    Ret (*former_target() const)() { return host_target; }

private:
    using entry = std::pair<Hooker*, hook_fn>;

    function_hooker_manager() = default;

    void add(Hooker* hooker, hook_fn hook) {
        for (entry& registered : hooks)
            if (registered.first == hooker) {
                registered.second = std::move(hook);
                return;
            }
        if (hooks.size() >= hooks.max_size()) throw std::length_error("list too long");
        hooks.emplace_back(hooker, std::move(hook));
    }

    void remove(Hooker* hooker) {
        const auto found = find(hooker);
        if (found == hooks.end()) return;
        hooks.erase(found);
        if (hooks.empty()) restore_saved();
    }

    void replace(Hooker* from, Hooker* to) {
        const auto found = find(from);
        if (found == hooks.end()) return;
        hook_fn hook = std::move(found->second);
        hooks.erase(found);
        add(to, std::move(hook));
    }

    // Saves the site and patches it to call the trampoline. Only a call is hooked, and
    // all of it: the game's own five-byte call, or the six-byte call through a cell that
    // another mod's hook may have put there (its sixth byte saved apart, as the patch
    // holds five). A jump, or a site that holds no branch, is left alone: hooked, it
    // would change where the game goes, or lead to address 0. A site that could not be
    // written stays unpatched, so nothing is owed.
    void place(HostAddress at, typename Hooker::trampoline_type trampoline) {
        const std::uint32_t length = call_length(at);
        if (length == 0 || branch_target(at) == 0) return;
        const auto trampoline_address = reinterpret_cast<std::uintptr_t>(trampoline);
        this->save_bytes(at, 5, true);
        if (length > 5) tail.save_bytes(at + 5, length - 5, true);
        host_cell = length > 5 ? guarded_read<std::uint32_t>(at + 2) : 0;
        const HostAddress former = write_call(at, trampoline_address, length);
        host_target = reinterpret_cast<Ret (*)()>(static_cast<std::uintptr_t>(former));
        installed = branch_target(at) == trampoline_address;
        if (!installed) {
            write_back_site();
            return;
        }
        trampoline_at = trampoline_address;
        // The former destination may be another library's trampoline (a second copy of
        // a plugin placed over the first): it must stay loaded while this site calls it.
        former_module = platform::ModuleHold{former};
    }

    // Where the game's call goes now: a call through a cell reads the cell each time,
    // as the instruction it replaced did.
    Ret (*host_function() const)() {
        if (host_cell == 0) return host_target;
        std::uint32_t destination = 0;
        std::memcpy(&destination, host_pointer(host_cell), sizeof destination);
        return reinterpret_cast<Ret (*)()>(static_cast<std::uintptr_t>(destination));
    }

    void write_back_site() {
        Patch::restore_saved();
        tail.restore_saved();
    }

    // Writes the saved bytes back only while the site still calls this trampoline: when
    // another hook has been placed over it, the bytes it saved lead here, and ours
    // would undo its hook. Then lets go of the former destination's library, which
    // may unload now and give the site back in turn.
    void give_site_back() {
        if (this->has_saved()) {
            if (branch_target(this->saved_address()) == trampoline_at) {
                write_back_site();
            } else {
                this->forget_saved();
                tail.forget_saved();
            }
        }
        former_module.release();
    }

    typename std::list<entry>::iterator find(Hooker* hooker) {
        auto it = hooks.begin();
        while (it != hooks.end() && it->first != hooker)
            ++it;
        return it;
    }

    Ret (*host_target)() = nullptr;
    std::list<entry> hooks;
    bool installed = false;
    HostAddress trampoline_at = 0;
    HostAddress host_cell = 0; // the cell a six-byte call read its destination from
    scoped_basic<5> tail;      // the byte of a six-byte call beyond the patch's five
    platform::ModuleHold former_module;
};

template <class Patch, HostAddress addr, class Function>
class function_hooker;

template <class Patch, HostAddress addr, class Ret, class... Args>
class function_hooker<Patch, addr, Ret(Args...)>
    : public function_hooker_base<Patch, addr, Ret (*)(Args...), Ret, Args...> {
    using base = function_hooker_base<Patch, addr, Ret (*)(Args...), Ret, Args...>;

public:
    using typename base::hook_fn;

    function_hooker() = default;
    function_hooker(function_hooker&&) = default;

    void install(hook_fn hook) override {
        this->install_with(std::move(hook), &base::manager_type::call_hooks);
    }
};

} // namespace injector
