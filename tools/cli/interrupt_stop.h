#pragma once

#include <functional>
#include <memory>

namespace hxv5::cli {

// Ctrl+C while a command talks to the radio: the transfer stops between two blocks, as the
// window's Stop button does, instead of the program dying with the line and a file half done.
// While an InterruptStop lives, Ctrl+C (SIGINT; the console's Ctrl+C and Ctrl+Break on Windows)
// calls onInterrupt from the event loop; the system's own handling comes back when it ends.
class InterruptStop
{
public:
    explicit InterruptStop(std::function<void()> onInterrupt);
    InterruptStop(const InterruptStop &) = delete;
    InterruptStop &operator=(const InterruptStop &) = delete;
    ~InterruptStop();

    // Ctrl+C came since the last InterruptStop began, whether or not the transfer still ran.
    static bool interrupted();

private:
    struct Watch;
    std::unique_ptr<Watch> m_watch;
};

} // namespace hxv5::cli
