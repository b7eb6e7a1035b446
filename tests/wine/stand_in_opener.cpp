// Stands in for the PDF viewer and the browser in the window's Wine test:
//   stand_in_opener.exe <log> <target> <marker>
// appends the target it was handed to the log, one a line, and holds the
// target open for reading (as a PDF viewer does, so that it cannot be
// deleted) for as long as the marker file exists, at most a minute.
#include <cstdio>

#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    if (std::FILE* log = std::fopen(argv[1], "ab")) {
        std::fprintf(log, "%s\n", argv[2]);
        std::fclose(log);
    }
    const HANDLE held = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    for (int waited = 0; waited < 600 && GetFileAttributesA(argv[3]) != INVALID_FILE_ATTRIBUTES; ++waited)
        Sleep(100);
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    return 0;
}
