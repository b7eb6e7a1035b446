#pragma once

// How lines end in the text files the program writes: "\r\n" on Windows, as
// its own tools write them, "\n" elsewhere.
const char* textLineEnd();
