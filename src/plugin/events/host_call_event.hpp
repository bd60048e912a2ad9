#pragma once
// The one host call event: the call the HUD is recoloured after, one call site for
// each host build the plugin knows.

#include "plugin/events/base_event.hpp"

namespace plugin {

using HostCallEvent =
    BaseEventI<injector::function_hooker, HostCallRefs, ArgPick<ArgTypes<>>, void()>;

// The process-wide event, created on first use.
HostCallEvent& hostCallEvent();

} // namespace plugin
