#include "console.hpp"

#include <windows.h>

#include <cstdio>

namespace checker::console {

Terminal open_terminal() {
    Terminal terminal{false, 100, false};
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode)) {
        // Windows 10 and later draw 24-bit colour once asked to.
        constexpr DWORD virtual_terminal = 0x0004;
        terminal.colour = SetConsoleMode(out, mode | virtual_terminal) != 0;
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(out, &info))
            terminal.width = info.srWindow.Right - info.srWindow.Left + 1;
    }
    DWORD processes[2] = {};
    terminal.own = GetConsoleProcessList(processes, 2) == 1;
    return terminal;
}

void wait_before_closing(const Terminal& terminal) {
    if (!terminal.own) return;
    std::fputs("\npress Enter to close this window ", stdout);
    std::fflush(stdout);
    std::getchar();
}

std::optional<std::size_t> ansi_length(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) return 0;
    const int count = static_cast<int>(wide.size());
    // A UTF-8 code page writes everything and takes no best-fit flags.
    if (GetACP() == CP_UTF8)
        return WideCharToMultiByte(CP_UTF8, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
    BOOL used_default = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), count, nullptr,
                                          0, nullptr, &used_default);
    if (bytes <= 0 || used_default) return std::nullopt;
    return static_cast<std::size_t>(bytes);
}

} // namespace checker::console
