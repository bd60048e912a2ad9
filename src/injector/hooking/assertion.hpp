#pragma once
// An assertion that stays in the delivered build and reports through the runtime's
// standard assertion report.

#include <source_location>

namespace injector {

[[noreturn]] void report_failed_assertion(const char* expression, const char* file, unsigned line);

inline void check_assertion(bool holds, const char* expression,
                            std::source_location where = std::source_location::current()) {
    if (!holds) report_failed_assertion(expression, where.file_name(), where.line());
}

} // namespace injector
