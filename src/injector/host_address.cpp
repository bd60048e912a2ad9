#include "injector/host_address.hpp"

#include "platform/host_services.hpp"

namespace injector {

HostAddress host_base() {
    static const HostAddress base = platform::executable_module_base();
    return base;
}

HostAddress translate(HostAddress address) {
    static const address_translator translator;
    return translator.translate(address);
}

std::uint32_t read_host_u32(HostAddress address) {
    // An unreadable probe reads as 0, which is no match.
    return guarded_read<std::uint32_t>(translate(rebase(address)));
}

int host_version_code() {
    static const int code = version_code_from(read_host_u32);
    return code;
}

} // namespace injector
