#include "files.hpp"

#include "common/translatable.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace checker::cli {
namespace {

bool write_all(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(descriptor, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return ::fsync(descriptor) == 0;
}

} // namespace

Written replace_file(const std::filesystem::path& path, std::string_view bytes) {
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode))
        return {false, false,
                std::string{tr("it is no ordinary file (a folder, a device or a pipe)")}};
    const std::filesystem::path temporary =
        path.parent_path() /
        ("." + path.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                  exists ? (status.st_mode & 07777) : 0644);
    if (descriptor < 0) return {false, false, std::strerror(errno)};
    const bool written = write_all(descriptor, bytes);
    const int error = errno;
    if (::close(descriptor) != 0 || !written) {
        ::unlink(temporary.c_str());
        return {false, false, std::strerror(written ? errno : error)};
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int failed = errno;
        ::unlink(temporary.c_str());
        return {false, false, std::strerror(failed)};
    }
    return {true, exists, {}};
}

} // namespace checker::cli
