#pragma once
// The one host call event: the call the HUD is recoloured after, one call site for
// each host build the plugin knows.

#include "plugin/events/base_event.hpp"

namespace plugin {

using HostCallEvent = BaseEventI<injector::function_hooker,
                                 RefList<0x600411, 100, 0, 0, 0,  //
                                         0x600431, 110, 0, 0, 0,  //
                                         0x600071, 120, 0, 0, 0>, //
                                 ArgPick<ArgTypes<>>, void()>;

// The process-wide event, created on first use.
HostCallEvent& hostCallEvent();

} // namespace plugin
