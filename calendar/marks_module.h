#pragma once
#include <cstddef>
#include <string>

// The plain-C entry point of the iCalendar module: calls markDay(context, day)
// for every day in [firstDay, lastDay] that an event of the file covers.
// Returns 0 when the file was read; otherwise writes a one-line reason,
// "FILE: line N: ..." or "FILE: ..." with control characters escaped, into
// `error` and returns 1; no day is then to be used.
using ReadMarksFunction = int (*)(const char* path, long long firstDay, long long lastDay,
                                  void (*markDay)(void* context, long long day), void* context, char* error,
                                  std::size_t errorSize);

extern "C" int orvelplanReadMarks(const char* path, long long firstDay, long long lastDay,
                                  void (*markDay)(void* context, long long day), void* context, char* error,
                                  std::size_t errorSize);
inline constexpr const char* readMarksFunctionName = "orvelplanReadMarks";

// The entry point: from the module beside the executable, loaded now (Linux),
// or linked into the executable (Windows); nothing, with `error` saying why,
// when the build has no iCalendar support.
ReadMarksFunction marksReader(std::string& error);
