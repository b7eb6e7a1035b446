#pragma once

// Makes standard output and standard error reach whoever started the program.
// On Windows the program is a windowed one, started without a console: a
// stream that was not redirected is connected to the console of the parent
// (cmd.exe, PowerShell) when there is one, which then shows UTF-8; redirected
// streams (pipes, files) are kept as they are and receive UTF-8. Started with
// no console and no standard error at all (a shortcut, Explorer, the Run box),
// what the program writes to standard error is shown in a message box as it
// ends. Elsewhere the streams already reach the terminal.
void connectToParentConsole();

// True when, after connectToParentConsole, the program has no standard output
// at all (Windows: neither a console nor a redirected handle), so there is
// nobody to tell anything on it. An output that exists but is closed or fails
// when written (a full disk, a pipe nobody reads) is not absent: that is a
// failure to report.
bool standardOutputAbsent();
