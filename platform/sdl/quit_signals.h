#pragma once
#include <array>
#include <csignal>

// Turns the requests to end the program (SIGTERM, SIGINT, SIGHUP) into a
// readable descriptor, so that the event loop can sleep on the display and on
// them in one wait, with no polling and no signal lost between a check and the
// sleep. Once installed those signals no longer end the process by themselves.
class QuitSignals {
public:
    // The process's one set, installed on the first call: as soon as the
    // window system is started, so that a request during start-up is kept for
    // the event loop.
    static const QuitSignals& installed();

    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // Readable once one of the signals has arrived; -1 when no pipe could be made.
    int fd() const;
    bool received() const;

private:
    static constexpr std::array<int, 3> signals = {SIGTERM, SIGINT, SIGHUP};
    std::array<struct sigaction, signals.size()> previous{};
    bool active = false;
};
