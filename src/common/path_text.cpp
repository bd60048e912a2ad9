#include "common/path_text.hpp"

#include "common/utf16_text.hpp"

namespace checker {
namespace {

[[maybe_unused]] Utf8Text text_of(const std::wstring& native) { // Windows: UTF-16
    return utf8_from_utf16({native.begin(), native.end()});
}

[[maybe_unused]] Utf8Text
text_of(const std::string& native) { // elsewhere: the bytes the system gave
    return {native, true};
}

} // namespace

std::optional<std::string> exact_utf8(const std::filesystem::path& path) {
    Utf8Text text = text_of(path.native());
    if (!text.exact) return std::nullopt;
    return std::move(text.text);
}

std::string utf8(const std::filesystem::path& path) {
    return text_of(path.native()).text;
}

} // namespace checker
