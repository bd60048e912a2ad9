#include "common/opened_file.hpp"

#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace checker {
namespace {

#ifdef _WIN32
std::FILE* open_regular(const std::filesystem::path& path, std::uint64_t& size) {
    std::error_code error;
    // "CON", "NUL" and the like are devices; only a file on disk is read.
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    struct _stat64 status {};
    if (file && (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFREG) == 0)) {
        std::fclose(file);
        return nullptr;
    }
    if (file) size = static_cast<std::uint64_t>(status.st_size);
    return file;
}

bool seek(std::FILE* file, std::uint64_t offset) {
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}
#else
std::FILE* open_regular(const std::filesystem::path& path, std::uint64_t& size) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    std::FILE* file = fdopen(descriptor, "rb");
    if (!file) ::close(descriptor);
    return file;
}

bool seek(std::FILE* file, std::uint64_t offset) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}
#endif

} // namespace

std::optional<OpenedFile> OpenedFile::open(const std::filesystem::path& path) {
    std::uint64_t size = 0;
    std::FILE* file = open_regular(path, size);
    if (!file) return std::nullopt;
    return OpenedFile{file, size};
}

std::string OpenedFile::read(std::uint64_t offset, std::size_t count) const {
    if (offset >= size_ || !seek(file_.get(), offset)) return {};
    if (count > size_ - offset) count = static_cast<std::size_t>(size_ - offset);
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, file_.get()));
    return bytes;
}

std::optional<std::string> read_prefix(const std::filesystem::path& path, std::size_t limit) {
    const auto file = OpenedFile::open(path);
    if (!file) return std::nullopt;
    return file->read(0, limit);
}

} // namespace checker
