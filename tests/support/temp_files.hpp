#pragma once
// Scratch files and folders for tests, removed when they go out of scope.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace test_support {

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("tessivar-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `bytes` exactly (binary), creating folders on the way.
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view bytes) const {
        const auto target = path_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return target;
    }

private:
    std::filesystem::path path_;
};

} // namespace test_support
