#pragma once
// Bytes read where they are needed, never a whole file: an executable or a DLL can be
// any size, and only its headers and a few words of it matter.

#include <cstdint>
#include <string>
#include <string_view>

namespace checker {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Up to `count` bytes from `offset`: fewer at the end, none beyond it.
    virtual std::string read(std::uint64_t offset, std::size_t count) const = 0;
};

// Bytes already in memory (tests, fuzz targets, the editor).
class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::string read(std::uint64_t offset, std::size_t count) const override {
        if (offset >= bytes_.size()) return {};
        return std::string{bytes_.substr(static_cast<std::size_t>(offset), count)};
    }

private:
    std::string_view bytes_;
};

} // namespace checker
