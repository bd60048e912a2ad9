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

} // namespace checker::console
