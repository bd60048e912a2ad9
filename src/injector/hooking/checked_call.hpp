#pragma once
// Calling a type-erased callable that may be empty: the standard bad-function-call
// error, with the text this system reports.

#include <functional>
#include <utility>

namespace injector {

class bad_function_call : public std::bad_function_call {
public:
    const char* what() const noexcept override { return "bad function call"; }
};

template <class Function, class... Args>
decltype(auto) call_checked(const Function& function, Args&&... args) {
    if (!function) throw bad_function_call{};
    return function(std::forward<Args>(args)...);
}

} // namespace injector
