// The Windows API, with only its common declarations and without the min
// and max macros that would hide std::min and std::max.
#pragma once

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
