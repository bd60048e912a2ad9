// Runs a program as Windows would be asked to by another program, for what a shell under
// Wine cannot give: arguments that are not text (with --units, \uD800 is that one UTF-16
// unit), and a file another program holds open unshared (--lock FILE) while the program runs.
//   run_with.exe [--lock FILE] [--units] -- PROGRAM [ARG...]
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// \uXXXX becomes that one UTF-16 unit, whatever it is; everything else stays.
std::wstring with_units(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* at = text; *at; ++at) {
        if (at[0] == L'\\' && at[1] == L'u' && std::wcslen(at) >= 6) {
            out += static_cast<wchar_t>(std::wcstoul(std::wstring(at + 2, 4).c_str(), nullptr, 16));
            at += 5;
            continue;
        }
        out += *at;
    }
    return out;
}

// Quoted as CommandLineToArgvW splits it back.
std::wstring quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int at = 1;
    HANDLE lock = INVALID_HANDLE_VALUE;
    bool units = false;
    for (; at < argc && std::wcscmp(argv[at], L"--") != 0; ++at) {
        if (std::wcscmp(argv[at], L"--units") == 0) {
            units = true;
        } else if (std::wcscmp(argv[at], L"--lock") == 0 && at + 1 < argc) {
            ++at;
            lock = CreateFileW(argv[at], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (lock == INVALID_HANDLE_VALUE) return 90;
        } else {
            return 91;
        }
    }
    if (at + 1 >= argc) return 91;
    std::wstring command;
    for (int i = at + 1; i < argc; ++i)
        command += (command.empty() ? L"" : L" ") +
                   quoted(units ? with_units(argv[i]) : std::wstring{argv[i]});
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return 92;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 93;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    return static_cast<int>(status);
}
