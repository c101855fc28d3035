// The lock around every call into the Fathom library: the library keeps no
// lock of its own for most of its state and opens tables on first use, so
// one thread at a time is inside it. A probe checks under the lock that the
// tables are still on (syzygy_pieces), since "SyzygyPath" switches them off
// and replaces them under the same lock.
#pragma once

#include <mutex>

extern std::mutex verrou_syzygy;
