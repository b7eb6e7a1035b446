// Starts a program as a shortcut, Explorer or the Run box does: no console and
// no standard handles at all.
//   console_less_start.exe <program> [<argument>...]
// Each message box the program shows is written to this launcher's standard
// output as one line, "box <owner> <caption>: <text>" (owner "none" or
// "owned"), in UTF-8, and answered with OK; then
// "exit <status>". The launcher's status is the program's, 124 after a
// minute without an end.
#include <string>

#include <windows.h>

namespace {

void say(const std::wstring& text)
{
    // At most three bytes for each UTF-16 unit.
    std::string bytes(3 * text.size(), '\0');
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                              bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                              nullptr)));
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring windowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

BOOL CALLBACK answerBox(HWND window, LPARAM process)
{
    DWORD owner = 0;
    wchar_t className[16] = {};
    GetWindowThreadProcessId(window, &owner);
    if (owner != static_cast<DWORD>(process) || !IsWindowVisible(window) ||
        !GetClassNameW(window, className, 16) || lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    // A message box's text is its static control 0xFFFF.
    const HWND text = GetDlgItem(window, 0xFFFF);
    say(std::wstring(L"box ") + (GetWindow(window, GW_OWNER) ? L"owned " : L"none ") + windowText(window) +
        L": " + (text ? windowText(text) : L""));
    // Returns once the box has taken it, and with it hidden itself.
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    // The program's command line is this one's without its first word, which
    // may be quoted.
    const std::wstring own = GetCommandLineW();
    const std::size_t firstEnd = own[0] == L'"' ? own.find(L'"', 1) : own.find_first_of(L" \t");
    std::wstring commandLine = own.substr(own.find_first_not_of(L" \t", firstEnd + 1));
    // Explorer has no console the program could attach to; this launcher lets
    // go of its own (its standard output, a file or pipe, stays).
    FreeConsole();
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;  // all three null
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &start, &started)) {
        say(L"cannot start the program: error " + std::to_wstring(GetLastError()));
        return 125;
    }
    DWORD status = 124;
    for (int waited = 0; waited < 600; ++waited) {
        if (WaitForSingleObject(started.hProcess, 100) == WAIT_OBJECT_0) {
            GetExitCodeProcess(started.hProcess, &status);
            break;
        }
        EnumWindows(answerBox, static_cast<LPARAM>(started.dwProcessId));
    }
    if (status == 124)
        TerminateProcess(started.hProcess, 124);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    say(L"exit " + std::to_wstring(status));
    return static_cast<int>(status);
}
