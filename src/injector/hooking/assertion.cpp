#include "injector/hooking/assertion.hpp"

#include <cassert>
#include <cstdlib>

namespace injector {

void report_failed_assertion(const char* expression, const char* file, unsigned line) {
#ifdef _WIN32
    _assert(expression, file, line);
#else
    __assert_fail(expression, file, line, "save_bytes");
#endif
    std::abort();
}

} // namespace injector
