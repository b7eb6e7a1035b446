#pragma once
#include "tests/support/files.h"
#ifndef _WIN32
#include "tests/support/program.h"
#endif
