#pragma once
// One change of a file's bytes: `removed` bytes at `at` give way to `text`. Every edit
// the editor makes is one of these, so the page can apply it and undo it as one step.

#include <cstddef>
#include <string>
#include <string_view>

namespace editor {

struct Splice {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::string text;
};

inline std::string applied(std::string_view bytes, const Splice& splice) {
    std::string out{bytes.substr(0, splice.at)};
    out += splice.text;
    out += bytes.substr(splice.at + splice.removed);
    return out;
}

} // namespace editor
