#include "interrupt_stop.h"

#include <QObject>

#include <atomic>

#include <windows.h>

namespace hxv5::cli {

namespace {

// The console calls its handlers on a thread of its own: the handler notes the interrupt and
// queues the call into the event loop of the thread the InterruptStop was made on.
std::atomic<bool> s_interrupted{false};
std::atomic<QObject *> s_receiver{nullptr};
std::function<void()> *s_onInterrupt = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    s_interrupted = true;
    if (QObject *receiver = s_receiver.load())
        QMetaObject::invokeMethod(
            receiver, [] { (*s_onInterrupt)(); }, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

struct InterruptStop::Watch
{
    QObject receiver;
    std::function<void()> onInterrupt;
};

InterruptStop::InterruptStop(std::function<void()> onInterrupt) : m_watch(std::make_unique<Watch>())
{
    s_interrupted = false;
    m_watch->onInterrupt = std::move(onInterrupt);
    s_onInterrupt = &m_watch->onInterrupt;
    s_receiver = &m_watch->receiver;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptStop::~InterruptStop()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    s_receiver = nullptr;
}

bool InterruptStop::interrupted()
{
    return s_interrupted;
}

} // namespace hxv5::cli
