#include "common/opened_file.hpp"

#include <cerrno>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace checker {
namespace {

OpenFailure failure_of(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return OpenFailure::missing;
    case EACCES:
    case EPERM:
        return OpenFailure::denied;
#ifdef EBUSY
    case EBUSY:
        return OpenFailure::locked;
#endif
    default:
        return OpenFailure::other;
    }
}

#ifdef _WIN32
// The Windows runtime gives EACCES both for a file without read permission and for one
// another program holds open unshared; which it is, the system's own error tells.
extern "C" unsigned long __stdcall GetLastError(void);
constexpr unsigned long sharing_violation = 32, lock_violation = 33;

std::FILE* open_regular(const std::filesystem::path& path, std::uint64_t& size, OpenFailure& why) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        why = OpenFailure::missing;
        return nullptr;
    }
    // "CON", "NUL" and the like are devices; only a file on disk is read.
    if (!std::filesystem::is_regular_file(status)) {
        why = OpenFailure::not_regular;
        return nullptr;
    }
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) {
        const unsigned long system_error = GetLastError();
        why = system_error == sharing_violation || system_error == lock_violation
                  ? OpenFailure::locked
                  : failure_of(errno);
        return nullptr;
    }
    struct _stat64 stat_of {};
    if (_fstat64(_fileno(file), &stat_of) != 0 || (stat_of.st_mode & _S_IFREG) == 0) {
        std::fclose(file);
        why = OpenFailure::not_regular;
        return nullptr;
    }
    size = static_cast<std::uint64_t>(stat_of.st_size);
    return file;
}

bool seek(std::FILE* file, std::uint64_t offset) {
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}
#else
std::FILE* open_regular(const std::filesystem::path& path, std::uint64_t& size, OpenFailure& why) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        why = failure_of(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        why = OpenFailure::not_regular;
        return nullptr;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    std::FILE* file = fdopen(descriptor, "rb");
    if (!file) {
        ::close(descriptor);
        why = OpenFailure::other;
    }
    return file;
}

bool seek(std::FILE* file, std::uint64_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}
#endif

} // namespace

std::optional<OpenedFile> OpenedFile::open(const std::filesystem::path& path, OpenFailure* why) {
    std::uint64_t size = 0;
    OpenFailure failure = OpenFailure::other;
    std::FILE* file = open_regular(path, size, failure);
    if (!file) {
        if (why) *why = failure;
        return std::nullopt;
    }
    return OpenedFile{file, size};
}

std::string OpenedFile::read(std::uint64_t offset, std::size_t count) const {
    if (offset >= size_ || !seek(file_.get(), offset)) return {};
    if (count > size_ - offset) count = static_cast<std::size_t>(size_ - offset);
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, file_.get()));
    return bytes;
}

std::optional<std::string> read_prefix(const std::filesystem::path& path, std::size_t limit,
                                       OpenFailure* why) {
    const auto file = OpenedFile::open(path, why);
    if (!file) return std::nullopt;
    return file->read(0, limit);
}

} // namespace checker
