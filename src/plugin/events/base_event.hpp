#pragma once
// An event over a host call: subscribers run before and after the host function each
// time the host executes the hooked call. The first subscription hooks the one call
// site, of those the event lists, that belongs to the running host build.

#include "injector/hooking/checked_call.hpp"
#include "injector/hooking/function_hooker.hpp"
#include "injector/host_address.hpp"
#include "plugin/events/ref_list.hpp"

#include <cstdint>
#include <functional>
#include <list>
#include <stdexcept>

namespace plugin {

template <class... Types>
struct ArgTypes {};

template <class Types>
struct ArgPick {};

template <template <class, HostAddress, class> class Hooker, class Refs, class Pick,
          class Signature>
class BaseEventI;

template <template <class, HostAddress, class> class Hooker, std::uint32_t... refs>
class BaseEventI<Hooker, RefList<refs...>, ArgPick<ArgTypes<>>, void()> {
public:
    using subscriber = std::function<void()>;
    using list_type = std::list<subscriber>;
    using next_fn = std::function<void*()>;

    list_type before;
    list_type after;

    BaseEventI() = default;
    BaseEventI(const BaseEventI&) = delete;
    BaseEventI& operator=(const BaseEventI&) = delete;
    ~BaseEventI() {
        after.clear();
        before.clear();
    }

    void subscribe(list_type& list, const subscriber& callable) {
        if (holds_plain_function_in(list, callable)) return;
        if (!patched) {
            patched = true;
            PatchAll(RefList<refs...>{});
        }
        if (list.size() >= list.max_size()) throw std::length_error("list too long");
        list.push_back(callable);
    }

    // The hook's body: before, the host function, after; the host's result goes back.
    void* run_subscribers(next_fn next) {
        run(before);
        if (!next) throw injector::bad_function_call{};
        void* const result = next();
        run(after);
        return result;
    }

    bool is_patched() const { return patched; }

private:
    template <HostAddress site>
    using hooker_type = Hooker<injector::scoped_call, site, void*()>;

    template <HostAddress site>
    static std::list<hooker_type<site>>& installed_hookers() {
        static std::list<hooker_type<site>> hookers;
        return hookers;
    }

    static void run(const list_type& list) {
        for (const subscriber& entry : list) {
            const subscriber copy = entry; // a stateful subscriber starts afresh each run
            injector::call_checked(copy);
        }
    }

    static bool holds_plain_function_in(const list_type& list, const subscriber& callable) {
        const auto* function = callable.template target<void (*)()>();
        if (!function) return false;
        for (const subscriber& entry : list) {
            const auto* other = entry.template target<void (*)()>();
            if (other && *other == *function) return true;
        }
        return false;
    }

    void PatchAll(RefList<>) {}

    template <std::uint32_t site, std::uint32_t code, std::uint32_t reserved1,
              std::uint32_t reserved2, std::uint32_t reserved3, std::uint32_t... rest>
    void PatchAll(RefList<site, code, reserved1, reserved2, reserved3, rest...>) {
        if (static_cast<std::uint32_t>(injector::host_version_code()) == code) {
            hooker_type<site> hooker;
            hooker.install_with([this](next_fn next) { return run_subscribers(std::move(next)); },
                                &hooker_type<site>::manager_type::call_hooks);
            installed_hookers<site>().push_back(std::move(hooker));
        }
        PatchAll(RefList<rest...>{});
    }

    bool patched = false;
};

} // namespace plugin
