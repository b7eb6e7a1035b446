#pragma once

// Puts the process in the state the rest of the program relies on, whatever
// state it was started in. Called first in main, before anything opens a file.
// On Linux: standard input, output and error that were closed are taken by
// /dev/null, opened the other way round (input for writing, output and error
// for reading), so that they still refuse to be read or written as closed ones
// do, but no file, pipe or display connection opened later can land on them
// and receive what is meant for the terminal; and a write beyond the file-size
// limit (ulimit -f) fails with EFBIG instead of killing the process, so that it
// is reported and cleaned up like a full disk.
void prepareProcess();
