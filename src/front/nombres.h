// Decimal numbers read from command words.
#pragma once

#include <cstdint>

// Leading blanks, an optional sign and the digits that follow; anything after
// them is ignored and text without digits gives 0. Values beyond the int32
// range are held at its bounds instead of overflowing.
int32_t convertit_entier(const char* texte);
// 1 and the value in `valeur` when the whole of `texte` is a decimal integer
// (optional sign), else 0 and `valeur` untouched. Held at the int32 bounds.
int est_entier(const char* texte, int32_t& valeur);
