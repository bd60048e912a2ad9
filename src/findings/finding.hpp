#pragma once
// One thing in an ini that is probably not what its author meant, with what to write.

#include <string>

namespace checker {

struct Finding {
    int line; // 1-based; 0 for the file as a whole
    std::string message;
    std::string suggestion;
};

} // namespace checker
