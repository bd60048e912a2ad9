#include "plugin/kelvora.hpp"

#include "hud/recolour_pass.hpp"
#include "plugin/events/host_call_event.hpp"

namespace plugin {

Kelvora::Kelvora() {
    hostCallEvent().subscribe(hostCallEvent().after, [] { recolour_callback(); });
}

void recolour_callback() noexcept {
    // The pass runs inside the host's own call; an error (out of memory) must not
    // unwind into host code, which cannot handle it. The writes made so far stay.
    try {
        hud::recolour_pass();
    } catch (...) {
    }
}

} // namespace plugin
