#pragma once
#include "tests/support/files.h"
