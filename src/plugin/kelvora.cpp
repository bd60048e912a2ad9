#include "plugin/kelvora.hpp"

#include "hud/recolour_pass.hpp"
#include "plugin/events/host_call_event.hpp"

namespace plugin {

Kelvora::Kelvora() {
    hostCallEvent().subscribe(hostCallEvent().after, [] { recolour_callback(); });
}

void recolour_callback() noexcept {
    // The pass allocates nothing and throws nothing: under low memory the first throw on
    // a thread can itself abort, as the runtime allocates the thread's exception state.
    // The catch stays as a last resort, since no error may unwind into host code.
    try {
        hud::recolour_pass();
    } catch (...) {
    }
}

} // namespace plugin
