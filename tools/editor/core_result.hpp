#pragma once
// The one answer the page reads after each call into the core (editor_result): the
// bytes or JSON of the last call, or the reason it failed.

#include <exception>
#include <string>

namespace editor {

const std::string& core_result();
int keep_result(std::string text); // its length

// Runs `make` for the result; a failure (memory running out) is reported, not fatal,
// and leaves the core as it was: -1, with the reason as the result.
template <class Make>
int kept_result(Make&& make) {
    try {
        return keep_result(make());
    } catch (const std::exception& error) {
        keep_result(error.what());
        return -1;
    }
}

} // namespace editor
