#pragma once
// Helpers of the saving tests: calendars to compare with, folder listings,
// and the real program run with its output captured.
#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "tests/calendar/temporary_folder.h"

namespace saving_test {

inline std::string readFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

inline void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

// The names in a folder, sorted.
inline std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

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
    const RenderedPdf pdf = renderCalendarPdf(gridOf(year), threePerRowLayoutId, nullptr);
    return pdf.bytes;
}

inline bool runningAsRoot()
{
    return geteuid() == 0;
}

// How many times the heavy loops go round: ORVEL_STRESS=1 (the separate
// saving_stress test) asks for the full counts.
inline int rounds(int quick, int full)
{
    const char* stress = std::getenv("ORVEL_STRESS");
    return stress && stress[0] == '1' ? full : quick;
}

inline const char* programBinary()
{
    return std::getenv("ORVEL_BINARY");
}

// The program started with `arguments`, its data folder `dataHome`, its
// standard output on `stdoutFd` (or a file) and standard error into `errPath`.
inline pid_t startProgram(const std::vector<std::string>& arguments, const std::string& dataHome, int stdoutFd,
                          const std::string& errPath)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(stdoutFd, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(programBinary())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
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

}  // namespace saving_test
