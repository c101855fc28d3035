#include "front/nombres.h"

#include <cstring>

namespace {

// Reads a sign and digits from `p`; returns the character after them and the
// clamped value, or null when there is no digit.
const char* lit_chiffres(const char* p, int32_t& valeur) {
  bool negatif = false;
  if (*p == '+' || *p == '-') negatif = *p++ == '-';
  if (*p < '0' || *p > '9') return nullptr;
  int64_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (v <= INT32_MAX) v = v * 10 + (*p - '0');
  if (negatif) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  valeur = static_cast<int32_t>(v);
  return p;
}

}  // namespace

int32_t convertit_entier(const char* texte) {
  while (*texte == ' ' || *texte == '\t') ++texte;
  int32_t v = 0;
  return lit_chiffres(texte, v) ? v : 0;
}

int est_entier(const char* texte, int32_t& valeur) {
  int32_t v = 0;
  const char* fin = lit_chiffres(texte, v);
  if (!fin || *fin != 0) return 0;
  valeur = v;
  return 1;
}
