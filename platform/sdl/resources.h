#pragma once
#include <cstdint>
#include <span>

// The files under res/ are compiled into the program; each is found by the
// number its file name starts with (res/101-background.bmp is resource 101).
// Empty when there is no resource with that number.
std::span<const std::uint8_t> findResource(int id);
