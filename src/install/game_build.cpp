#include "install/game_build.hpp"

#include "install/pe_headers.hpp"

namespace checker {

injector::GameBuild game_build_of(const ByteSource& executable) {
    const auto headers = read_pe_headers(executable);
    if (!headers) return injector::no_game_build;
    // A probe outside the file's sections reads as no signature.
    return injector::game_build_from([&](HostAddress address) {
        return image_u32(executable, *headers, address).value_or(~injector::host_signature);
    });
}

injector::GameBuild game_build_of(std::string_view executable) {
    return game_build_of(MemoryBytes{executable});
}

} // namespace checker
