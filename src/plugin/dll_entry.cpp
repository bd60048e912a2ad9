// The plugin library: the one Kelvora object, constructed by the runtime's static
// initialisation when the host's loader maps the library, and an entry routine that
// does nothing of its own.

#include "plugin/kelvora.hpp"

namespace {
plugin::Kelvora kelvora;
}

extern "C" int __stdcall DllMain(void*, unsigned long, void*) {
    return 1;
}
