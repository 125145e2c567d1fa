#pragma once
// Two independent pieces of an import at once, on a second thread when there is a core for
// it. Each piece writes only what it owns, so the result is the same either way.

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace kestrel::importkit {

// Below this many triangles a second thread costs more than it saves.
constexpr size_t kSideBySideFromTriangles = 65536;

inline bool WorthSideBySide(size_t triangles)
{
    return triangles >= kSideBySideFromTriangles && std::thread::hardware_concurrency() > 1;
}

// Runs here() on this thread and there() on another one, and returns when both have ended;
// an exception from either (the first, when both throw) is passed on after both ended.
// Without a second thread, or when one cannot be started, both run here in turn.
template <class Here, class There>
void SideBySide(bool parallel, Here here, There there)
{
    if (!parallel) {
        here();
        there();
        return;
    }
    std::exception_ptr thereFailed;
    std::thread helper;
    try {
        helper = std::thread([&there, &thereFailed] {
            try {
                there();
            } catch (...) {
                thereFailed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        here();
        there();
        return;
    }
    std::exception_ptr hereFailed;
    try {
        here();
    } catch (...) {
        hereFailed = std::current_exception();
    }
    helper.join();
    if (hereFailed)
        std::rethrow_exception(hereFailed);
    if (thereFailed)
        std::rethrow_exception(thereFailed);
}

} // namespace kestrel::importkit
