#pragma once
#include <array>
#include <csignal>

// Turns the requests to end the program (SIGTERM, SIGINT, SIGHUP) into a
// readable descriptor, so that the event loop can sleep on the display and on
// them in one wait, with no polling and no signal lost between a check and the
// sleep. While it exists those signals no longer end the process by themselves.
class QuitSignals {
public:
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
    bool installed = false;
};
