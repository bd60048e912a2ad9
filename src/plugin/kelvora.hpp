#pragma once
// The plugin object: constructing it subscribes the recolour pass to the host call
// event, which hooks the host's call site.

namespace plugin {

class Kelvora {
public:
    Kelvora();
};

// What runs after each hooked host call.
void recolour_callback() noexcept;

} // namespace plugin
