#include "console.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

namespace checker::console {

Terminal open_terminal() {
    Terminal terminal{isatty(STDOUT_FILENO) != 0, 100, false};
    winsize size{};
    if (terminal.colour && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        terminal.width = size.ws_col;
    return terminal;
}

void wait_before_closing(const Terminal&) {}

// Away from Windows the code page is not known: the path is taken as written.
std::optional<std::size_t> ansi_length(const std::filesystem::path& path) {
    return path.native().size();
}

} // namespace checker::console
