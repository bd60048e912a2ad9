#include "plugin/events/host_call_event.hpp"

namespace plugin {

HostCallEvent& hostCallEvent() {
    static HostCallEvent event;
    return event;
}

} // namespace plugin
