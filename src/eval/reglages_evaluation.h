// Settings of the evaluation, set by the UCI options.
#pragma once

#include <cstdint>

extern int32_t attaque_pions;  // PawnStorming
