// Stands in for the PDF viewer and the browser in the window's Wine test:
//   stand_in_opener.exe <log> <target>
// appends the target it was handed to the log, one a line. A windowed
// program, unlike cmd, opens no console window that would take the focus.
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    if (std::FILE* log = std::fopen(argv[1], "ab")) {
        std::fprintf(log, "%s\n", argv[2]);
        std::fclose(log);
    }
    return 0;
}
