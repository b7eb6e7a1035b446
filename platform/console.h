#pragma once

// Makes standard output and standard error reach whoever started the program.
// On Windows the program is a windowed one, started without a console: a
// stream that was not redirected is connected to the console of the parent
// (cmd.exe, PowerShell) when there is one; redirected streams (pipes, files)
// are kept as they are. Elsewhere the streams already reach the terminal.
void connectToParentConsole();
