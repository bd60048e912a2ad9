#include "console.hpp"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

namespace checker::console {

namespace {

// A terminal that draws escapes: not a file or a pipe, not one that says it cannot, and
// not where the player turned colour off (NO_COLOR, as many programs read it).
bool escapes_work() {
    const char* term = std::getenv("TERM");
    const char* no_colour = std::getenv("NO_COLOR");
    return term && *term && std::string_view{term} != "dumb" && !(no_colour && *no_colour);
}

} // namespace

Terminal open_terminal() {
    const bool terminal_out = isatty(STDOUT_FILENO) != 0;
    Terminal terminal{terminal_out && escapes_work(), 100, false};
    winsize size{};
    if (terminal_out && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        terminal.width = size.ws_col;
    return terminal;
}

void wait_before_closing(const Terminal&, std::string_view) {}

void write(std::string_view text, bool to_error) {
    std::fwrite(text.data(), 1, text.size(), to_error ? stderr : stdout);
}

// As gettext looks: LANGUAGE (a list), then the locale of messages.
std::string user_locales() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value) return value;
    return {};
}

// Away from Windows the code page is not known: the path is taken as written.
std::optional<std::size_t> ansi_length(const std::filesystem::path& path) {
    return path.native().size();
}

} // namespace checker::console
