// A library that uses the same runtime pieces as the plugin (exceptions, type-erased
// callables, shared ownership, lists, strings) and nothing of the plugin: what it
// costs per load and unload is the runtime's own cost, against which the plugin's is
// measured.

#include <functional>
#include <list>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct RuntimeUser {
    std::shared_ptr<std::list<std::function<void()>>> calls =
        std::make_shared<std::list<std::function<void()>>>();
    std::string text = "a string too long for the small-string buffer";

    RuntimeUser() {
        calls->push_back([this] { text += "!"; });
        for (const auto& call : *calls)
            call();
        try {
            throw std::length_error("list too long");
        } catch (const std::exception&) {
        }
    }
};

RuntimeUser user;

} // namespace

extern "C" int __stdcall DllMain(void*, unsigned long, void*) {
    return 1;
}
