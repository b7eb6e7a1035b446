#pragma once
// Helpers of the saving tests: calendars to compare with, folder listings,
// and on Linux the real program run with its output captured.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "tests/test_support.h"

namespace saving_test {

inline long temporaryFilesIn(const std::string& folder)
{
    const std::set<std::string> names = namesIn(folder);
    return std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return name.starts_with(".orvelplan-") && name.ends_with(".tmp");
    });
}

inline const CalendarTextGrid& gridOf(int year)
{
    static CalendarTextGrid grid;
    grid.setYearAndWeekendDay(year, 0);
    grid.layOut();
    return grid;
}

// The calendar of `year` in the three-per-row layout, as the program writes it.
inline std::string calendarBytes(int year)
{
    const RenderedPdf pdf = renderCalendarPdf(CalendarRequest(gridOf(year), threePerRowLayoutId, nullptr));
    return pdf.bytes;
}

// How many times the heavy loops go round: ORVEL_STRESS=1 (the separate
// saving_stress test) asks for the full counts.
inline int rounds(int quick, int full)
{
    const char* stress = std::getenv("ORVEL_STRESS");
    return stress && stress[0] == '1' ? full : quick;
}

#ifndef _WIN32
inline bool runningAsRoot()
{
    return geteuid() == 0;
}

// `check` run in a child process, as nobody when the tests run as root (root
// may write anywhere) after `owned` has been handed to nobody; true when it
// returned true.
inline bool asUnprivilegedUser(const std::vector<std::string>& owned, const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child == 0) {
        if (runningAsRoot()) {
            for (const std::string& path : owned)
                if (chown(path.c_str(), 65534, 65534) != 0)
                    _exit(3);
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        }
        _exit(check() ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The program started with `arguments`, its data folder `dataHome`, its
// standard output on `stdoutFd` (or a file) and standard error into `errPath`.
inline pid_t startProgram(const std::vector<std::string>& arguments, const std::string& dataHome, int stdoutFd,
                          const std::string& errPath)
{
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t pid = spawnProgram(arguments, stdoutFd, err, {{"XDG_DATA_HOME", dataHome.c_str()}});
    close(err);
    return pid;
}

struct ProgramRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

inline ProgramRun runProgram(const std::vector<std::string>& arguments, const TemporaryFolder& folder,
                             const std::string& dataHome)
{
    const std::string outPath = folder.file("run.out"), errPath = folder.file("run.err");
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t pid = startProgram(arguments, dataHome, out, errPath);
    close(out);
    int status = 0;
    waitpid(pid, &status, 0);
    ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outPath), readFile(errPath)};
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}
#endif

}  // namespace saving_test
