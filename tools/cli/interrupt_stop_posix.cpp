#include "interrupt_stop.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace hxv5::cli {

namespace {

// The handler only notes the signal and writes a byte to a socket pair; the event loop reads it.
volatile std::sig_atomic_t s_interrupted = 0;
std::atomic<int> s_writeEnd{-1};

void onSignal(int)
{
    s_interrupted = 1;
    const int fd = s_writeEnd;
    const char byte = 1;
    if (fd >= 0) [[maybe_unused]]
        const ssize_t n = ::write(fd, &byte, 1);
}

} // namespace

struct InterruptStop::Watch
{
    int pair[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr;
    struct sigaction previous
    {
    };
};

InterruptStop::InterruptStop(std::function<void()> onInterrupt) : m_watch(std::make_unique<Watch>())
{
    s_interrupted = 0;
    Watch &w = *m_watch;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, w.pair) != 0)
        return;
    s_writeEnd = w.pair[0];
    w.notifier = new QSocketNotifier(w.pair[1], QSocketNotifier::Read);
    QObject::connect(w.notifier, &QSocketNotifier::activated, w.notifier,
                     [fd = w.pair[1], onInterrupt = std::move(onInterrupt)] {
                         char byte = 0;
                         [[maybe_unused]] const ssize_t n = ::read(fd, &byte, 1);
                         onInterrupt();
                     });
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &w.previous);
}

InterruptStop::~InterruptStop()
{
    Watch &w = *m_watch;
    if (!w.notifier)
        return;
    sigaction(SIGINT, &w.previous, nullptr);
    s_writeEnd = -1;
    delete w.notifier;
    ::close(w.pair[0]);
    ::close(w.pair[1]);
}

bool InterruptStop::interrupted()
{
    return s_interrupted != 0;
}

} // namespace hxv5::cli
