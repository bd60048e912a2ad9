#include "config/settings_location.hpp"
#include "config/settings_path.hpp"
#include "platform/host_services.hpp"

namespace config {

void locate_settings_file() {
    std::array<char, path_capacity> executable{};
    const std::uint32_t length = platform::executable_path(executable.data(), executable.size());
    // No path, or one the platform had to truncate: no file, all defaults.
    if (length == 0 || length >= executable.size()) {
        settings_path[0] = '\0';
        return;
    }
    // The candidates are built in a fixed buffer: the pass allocates nothing.
    CandidateBuffer candidate{};
    find_settings_file({executable.data(), length}, platform::path_exists, candidate);
    store_settings_path(candidate.data());
}

} // namespace config
