// The plugin library: the one Kelvora object, constructed by the runtime's static
// initialisation when the host's loader maps the library, and an entry routine that
// does nothing of its own.

#include "plugin/kelvora.hpp"

#include <cstdlib>

namespace {
plugin::Kelvora kelvora;
}

extern "C" int __stdcall DllMain(void*, unsigned long, void*) {
    return 1;
}

// The runtime's verbose terminate handler prints a demangled type name, which links in
// the whole demangler and a printf. The plugin catches what it throws before it can
// reach the host, so a plain abort serves, at a fraction of the size.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
