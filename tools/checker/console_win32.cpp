#include "console.hpp"

#include <windows.h>

#include <cstdio>

namespace checker::console {

namespace {

bool same(COORD a, COORD b) {
    return a.X == b.X && a.Y == b.Y;
}

// Some consoles (Wine's among them) take the mode and still print escapes as text. A
// reset sequence written where the cursor stands tells: drawn as text, it moves the cursor
// (and is wiped again); read as an escape, it leaves it where it was.
bool escapes_work(HANDLE out) {
    CONSOLE_SCREEN_BUFFER_INFO before{}, after{};
    if (!GetConsoleScreenBufferInfo(out, &before)) return false;
    constexpr char reset[] = "\x1b[0m";
    DWORD written = 0;
    if (!WriteConsoleA(out, reset, sizeof reset - 1, &written, nullptr)) return false;
    if (!GetConsoleScreenBufferInfo(out, &after)) return false;
    if (same(before.dwCursorPosition, after.dwCursorPosition)) return true;
    DWORD wiped = 0;
    FillConsoleOutputCharacterA(out, ' ', sizeof reset - 1, before.dwCursorPosition, &wiped);
    SetConsoleCursorPosition(out, before.dwCursorPosition);
    return false;
}

} // namespace

Terminal open_terminal() {
    Terminal terminal{false, 100, false};
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode)) {
        // Windows 10 and later draw 24-bit colour once asked to.
        constexpr DWORD virtual_terminal = 0x0004;
        terminal.colour = SetConsoleMode(out, mode | virtual_terminal) != 0 && escapes_work(out);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(out, &info))
            terminal.width = info.srWindow.Right - info.srWindow.Left + 1;
    }
    DWORD processes[2] = {};
    terminal.own = GetConsoleProcessList(processes, 2) == 1;
    return terminal;
}

void wait_before_closing(const Terminal& terminal, std::string_view prompt) {
    if (!terminal.own) return;
    write("\n" + std::string{prompt} + " ");
    std::getchar();
}

void write(std::string_view text, bool to_error) {
    std::FILE* stream = to_error ? stderr : stdout;
    HANDLE handle = GetStdHandle(to_error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (text.empty() || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count > 0 ? count : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
    std::fflush(stream); // what stdio holds comes first
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

std::string user_locales() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID id = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(id, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0) return {};
    std::string out;
    for (const wchar_t* at = name; *at; ++at)
        out += *at < 0x80 ? static_cast<char>(*at) : '?';
    return out;
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
