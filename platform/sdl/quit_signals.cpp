#include "platform/sdl/quit_signals.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// One process, one set of handlers: the pipe is what the handler may reach.
int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t arrived = 0;

extern "C" void noteQuitSignal(int)
{
    const int savedErrno = errno;
    arrived = 1;
    const char byte = 1;
    // Non-blocking: once the pipe holds a byte, more change nothing.
    (void)!write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

const QuitSignals& QuitSignals::installed()
{
    static const QuitSignals process;
    return process;
}

QuitSignals::QuitSignals()
{
    if (pipeEnds[0] >= 0 || pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    // The first request is answered in the event loop, which saves the
    // settings; a second one ends the program at once, as it would without
    // the handler, should the first never be reached (a start-up that hangs).
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    arrived = 0;
    for (std::size_t i = 0; i < signals.size(); ++i) {
        sigaction(signals[i], nullptr, &previous[i]);
        // A signal the program was started to ignore (nohup) stays ignored.
        if (previous[i].sa_handler != SIG_IGN)
            sigaction(signals[i], &action, nullptr);
    }
    active = true;
}

QuitSignals::~QuitSignals()
{
    if (!active)
        return;
    for (std::size_t i = 0; i < signals.size(); ++i)
        sigaction(signals[i], &previous[i], nullptr);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

int QuitSignals::fd() const
{
    return active ? pipeEnds[0] : -1;
}

bool QuitSignals::received() const
{
    return arrived != 0;
}
