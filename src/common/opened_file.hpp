#pragma once
// A regular file opened for reading by its path as Windows takes it (wide on Windows),
// read in bounded pieces. Folders, devices and FIFOs are refused before anything is
// read, so /dev/zero or a pipe can neither hang the checker nor make it grow.

#include "common/byte_source.hpp"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace checker {

// Why a file could not be opened.
enum class OpenFailure {
    missing,     // no such file
    not_regular, // a folder, a device, a pipe
    denied,      // no permission to read it
    locked,      // another program holds it open without sharing it
    other,
};

class OpenedFile final : public ByteSource {
public:
    // nullopt when `path` is no regular file or cannot be opened; `why` then says why.
    static std::optional<OpenedFile> open(const std::filesystem::path& path,
                                          OpenFailure* why = nullptr);

    std::uint64_t size() const override { return size_; }
    std::string read(std::uint64_t offset, std::size_t count) const override;

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    OpenedFile(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}

    std::unique_ptr<std::FILE, Closer> file_;
    std::uint64_t size_;
};

// At most `limit` bytes from the start of a regular file; nullopt as `open` gives it.
std::optional<std::string> read_prefix(const std::filesystem::path& path, std::size_t limit,
                                       OpenFailure* why = nullptr);

} // namespace checker
