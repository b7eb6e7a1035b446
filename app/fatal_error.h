#pragma once
#include <string>

struct StartupFailure;

// Longest fatal message shown, terminator included; a longer reason is cut.
inline constexpr std::size_t fatalMessageCapacity = 512;

// "<step> failed with error <code>: <reason>", cut to fit fatalMessageCapacity.
std::string fatalMessage(const std::string& step, int code, const std::string& reason);

// Shows the fatal box for a failed start-up step and returns the exit status
// the program ends with.
int fatalError(const StartupFailure& failure);
