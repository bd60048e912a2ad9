#include "core_result.hpp"

namespace editor {
namespace {
std::string result;
} // namespace

const std::string& core_result() {
    return result;
}

int keep_result(std::string text) {
    result = std::move(text);
    return static_cast<int>(result.size());
}

} // namespace editor
