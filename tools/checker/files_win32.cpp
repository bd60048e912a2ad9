#include "files.hpp"

#include "common/translatable.hpp"

#include <windows.h>

namespace checker::cli {
namespace {

std::string system_message(DWORD error) {
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string message{text, length};
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                                message.back() == '.' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : message;
}

bool write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD done = 0;
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file, bytes.data(), size, &done, nullptr) || done == 0) return false;
        bytes.remove_prefix(done);
    }
    return FlushFileBuffers(file) != 0;
}

} // namespace

Written replace_file(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    const bool exists = std::filesystem::exists(status);
    // A folder, or a device such as CON or NUL.
    if (exists && !std::filesystem::is_regular_file(status))
        return {false, false, std::string{tr("it is no ordinary file (a folder or a device)")}};
    std::filesystem::path temporary = path;
    temporary += L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {false, false, system_message(GetLastError())};
    const bool written = write_all(file, bytes);
    const DWORD write_error = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileW(temporary.c_str());
        return {false, false, system_message(write_error)};
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD failed = GetLastError();
        DeleteFileW(temporary.c_str());
        return {false, false, system_message(failed)};
    }
    return {true, exists, {}};
}

} // namespace checker::cli
