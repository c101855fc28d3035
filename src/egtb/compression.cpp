// Reading compressed tables: header, directory, code description, blocks.
#include "egtb/compression.h"

#include <cstring>
#include <new>

const uint8_t banniere_compression[64] = {
    'C', 'o', 'm', 'p', 'r', 'e', 's', 's', 'e', 'd', ' ', 'b', 'y', ' ', 'D', 'A',
    'T', 'A', 'C', 'O', 'M', 'P', ' ', 'v', ' ', '1', '.', '0', ' ', '(', 'c', ')',
    ' ', '1', '9', '9', '1', '-', '-', '1', '9', '9', '8', ' ', 'A', 'n', 'd', 'r',
    'e', 'w', ' ', 'K', 'a', 'd', 'a', 't', 'c', 'h', '\r', '\n', 0, 0, 0, 0};

namespace {

constexpr int TAILLE_FIXE = 80;
constexpr uint8_t OCTETS_FIXES[4] = {0x00, 0x40, 0x01, 0xF5};
// Headers larger than this are taken as damaged rather than allocated.
constexpr uint32_t ENTETE_MAX = 64u << 20;

struct TableSomme {
  uint32_t t[256];
  constexpr TableSomme() : t() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) == 0 ? (c >> 1) ^ 0xEDB88320u : c >> 1;
      t[i] = c;
    }
  }
};
constexpr TableSomme table_somme;

uint32_t lit32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Bits most significant first from a byte buffer; reading past the end gives
// zeros and marks the reader as overrun.
struct LecteurBits {
  const uint8_t* p;
  const uint8_t* fin;
  uint64_t tampon = 0;  // the next `nb` bits, left-aligned
  int nb = 0;
  bool deborde = false;
  int64_t zeros_ajoutes = 0;

  LecteurBits(const uint8_t* debut, const uint8_t* f) : p(debut), fin(f) {}

  void remplit() {
    while (nb <= 56) {
      uint64_t octet = 0;
      if (p < fin) octet = *p++;
      else zeros_ajoutes += 8;
      tampon |= octet << (56 - nb);
      nb += 8;
    }
  }
  // The next n bits (n <= 32) without consuming them.
  uint32_t regarde(int n) {
    if (nb < n) remplit();
    return n == 0 ? 0 : static_cast<uint32_t>(tampon >> (64 - n));
  }
  void avance(int n) {
    tampon <<= n;
    nb -= n;
    if (zeros_ajoutes > 0 && nb < zeros_ajoutes) deborde = true;
  }
  uint32_t lit(int n) {
    uint32_t v = regarde(n);
    avance(n);
    return v;
  }
};

void libere_code(CodePrefixe& c) {
  delete[] c.table;
  c.table = nullptr;
}

// Builds the canonical code of `longueurs` (n symbols). A code with no symbol
// at all is accepted (decoding from it fails); any other code must be a
// complete prefix code.
bool construit_code(const uint8_t* longueurs, int n, int bits_table, CodePrefixe& c) {
  std::memset(c.nombre, 0, sizeof c.nombre);
  c.bits_table = bits_table;
  c.longueur_max = 0;
  for (int s = 0; s < n; ++s) {
    if (longueurs[s] > LONGUEUR_CODE_MAX) return false;
    ++c.nombre[longueurs[s]];
    if (longueurs[s] > c.longueur_max) c.longueur_max = longueurs[s];
  }
  c.nombre[0] = 0;
  uint64_t kraft = 0;
  for (int l = 1; l <= LONGUEUR_CODE_MAX; ++l) kraft += uint64_t(c.nombre[l]) << (LONGUEUR_CODE_MAX - l);
  if (kraft != 0 && kraft != (uint64_t(1) << LONGUEUR_CODE_MAX)) return false;
  uint32_t code = 0, rang = 0;
  for (int l = 1; l <= LONGUEUR_CODE_MAX; ++l) {
    code = (code + c.nombre[l - 1]) << 1;
    c.premier[l] = code;
    c.decalage[l] = rang;
    rang += c.nombre[l];
  }
  uint32_t suivant[LONGUEUR_CODE_MAX + 2];
  std::memcpy(suivant, c.decalage, sizeof suivant);
  for (int s = 0; s < n; ++s)
    if (longueurs[s]) c.symboles[suivant[longueurs[s]]++] = static_cast<uint16_t>(s);
  c.table = new (std::nothrow) uint32_t[size_t(1) << bits_table]();
  if (!c.table) return false;
  for (int l = 1; l <= bits_table && l <= c.longueur_max; ++l)
    for (uint32_t i = 0; i < c.nombre[l]; ++i) {
      uint32_t s = c.symboles[c.decalage[l] + i];
      uint32_t debut = (c.premier[l] + i) << (bits_table - l);
      uint32_t fin = (c.premier[l] + i + 1) << (bits_table - l);
      for (uint32_t k = debut; k < fin; ++k) c.table[k] = s << 8 | uint32_t(l);
    }
  return true;
}

// Next symbol of code c, or -1 when the bits form no code word.
inline int decode_symbole(const CodePrefixe& c, LecteurBits& lb) {
  uint32_t e = c.table[lb.regarde(c.bits_table)];
  if (e != 0) {
    lb.avance(int(e & 255));
    return int(e >> 8);
  }
  for (int l = c.bits_table + 1; l <= c.longueur_max; ++l) {
    uint32_t v = lb.regarde(l) - c.premier[l];
    if (v < c.nombre[l]) {
      lb.avance(l);
      return c.symboles[c.decalage[l] + v];
    }
  }
  return -1;
}

// The code lengths of n symbols. One flag bit makes them all 0; otherwise
// more than 128 lengths are coded with two auxiliary 64-symbol codes (their
// 128 lengths described the same way), and at most 128 are written as w-bit
// fields where a 0 is followed by a 4-bit count of further zeros.
bool lit_longueurs(LecteurBits& lb, uint8_t* longueurs, int n) {
  std::memset(longueurs, 0, size_t(n));
  if (lb.lit(1)) return !lb.deborde;
  if (n <= 128) {
    int w = int(lb.lit(5));
    for (int i = 0; i < n && !lb.deborde;) {
      uint32_t v = lb.lit(w);
      if (v == 0) i += int(lb.lit(4)) + 1;
      else longueurs[i++] = static_cast<uint8_t>(v);
    }
    return !lb.deborde;
  }
  uint8_t aux[128];
  if (!lit_longueurs(lb, aux, 128)) return false;
  CodePrefixe longueur{}, repetition{};
  bool ok = construit_code(aux, 64, 8, longueur) && construit_code(aux + 64, 64, 8, repetition);
  for (int i = 0; ok && i < n;) {
    int g = decode_symbole(longueur, lb);
    if (g < 0 || lb.deborde) {
      ok = false;
    } else if (g <= 31) {
      longueurs[i++] = static_cast<uint8_t>(g);
    } else {
      int h = decode_symbole(repetition, lb);
      if (h < 0) {
        ok = false;
        break;
      }
      int64_t nombre = h < 32 ? h + 2 : (int64_t(1) << (h - 32)) + lb.lit(h - 32) + 33;
      if (nombre > n - i || lb.deborde) {
        ok = false;
        break;
      }
      std::memset(longueurs + i, g & 31, size_t(nombre));
      i += int(nombre);
    }
  }
  libere_code(longueur);
  libere_code(repetition);
  return ok && !lb.deborde;
}

}  // namespace

uint32_t somme_controle(const uint8_t* octets, int64_t longueur) {
  uint32_t c = 0;
  for (int64_t i = 0; i < longueur; ++i) c = (c >> 8) ^ table_somme.t[(c ^ octets[i]) & 255];
  return c;
}

void libere_decodage(Decodage* d) {
  if (!d) return;
  delete[] d->debut_blocs;
  libere_code(d->code);
  delete d;
}

ResultatEntete lit_entete(FILE* f, Decodage** decodage) {
  *decodage = nullptr;
  uint8_t fixe[TAILLE_FIXE];
  if (std::fread(fixe, 1, TAILLE_FIXE, f) != TAILLE_FIXE) return ENTETE_ERREUR_LECTURE;
  if (std::memcmp(fixe, banniere_compression, 64) != 0) return ENTETE_ERREUR_LECTURE;
  uint32_t h = lit32(fixe + 64);
  int log_bloc = fixe[70];
  uint32_t nb_blocs = lit32(fixe + 72);
  if (fixe[71] != NB_DISTANCES || std::memcmp(fixe + 76, OCTETS_FIXES, 4) != 0) return ENTETE_CASSE;
  if (log_bloc < 1 || log_bloc > 16 || nb_blocs == 0 || nb_blocs > (1u << 24) || h > ENTETE_MAX)
    return ENTETE_CASSE;
  uint64_t repertoire = (uint64_t(log_bloc) * (nb_blocs + 1 + NB_DISTANCES) + 7) / 8;
  uint64_t minimum = TAILLE_FIXE + 8ull * nb_blocs + repertoire + 4;
  if (h < 84 || h < minimum) return ENTETE_CASSE;

  uint8_t* entete = new (std::nothrow) uint8_t[h];
  if (!entete) return ENTETE_MEMOIRE;
  std::memcpy(entete, fixe, TAILLE_FIXE);
  if (std::fread(entete + TAILLE_FIXE, 1, h - TAILLE_FIXE, f) != h - TAILLE_FIXE) {
    delete[] entete;
    return ENTETE_MEMOIRE;
  }
  ResultatEntete resultat = ENTETE_CASSE;
  Decodage* d = nullptr;
  if (somme_controle(entete, h - 4) == lit32(entete + h - 4)) {
    d = new (std::nothrow) Decodage{};
    if (d) d->debut_blocs = new (std::nothrow) uint32_t[nb_blocs + 1];
    if (!d || !d->debut_blocs) {
      resultat = ENTETE_MEMOIRE;
    } else {
      d->log_bloc = log_bloc;
      d->nb_blocs = int32_t(nb_blocs);
      const uint8_t* debut_rep = entete + TAILLE_FIXE + 8 * nb_blocs;
      LecteurBits lb(debut_rep, entete + h - 4);
      uint64_t position = h;
      const uint32_t taille_bloc = 1u << log_bloc;
      for (uint32_t k = 0; k < nb_blocs; ++k) {
        d->debut_blocs[k] = uint32_t(position);
        uint32_t c = lb.lit(log_bloc);
        position += c == 0 ? taille_bloc : c;
      }
      d->debut_blocs[nb_blocs] = uint32_t(position);
      uint32_t dernier = lb.lit(log_bloc);
      d->longueur_dernier = int32_t(dernier == 0 ? taille_bloc : dernier);
      d->longueur_totale = int64_t(nb_blocs - 1) * taille_bloc + d->longueur_dernier;
      for (int i = 0; i < NB_DISTANCES; ++i) d->distances[i] = lb.lit(log_bloc);
      // The code description starts at the next byte.
      LecteurBits lc(debut_rep + repertoire, entete + h - 4);
      uint8_t longueurs[NB_SYMBOLES];
      bool ok = position <= 0xFFFFFFFFull && d->longueur_totale <= INT32_MAX && !lb.deborde &&
                lit_longueurs(lc, longueurs, NB_SYMBOLES) &&
                construit_code(longueurs, NB_SYMBOLES, BITS_TABLE_CODE, d->code);
      if (ok) {
        resultat = ENTETE_OK;
        *decodage = d;
        d = nullptr;
      }
    }
  }
  libere_decodage(d);
  delete[] entete;
  return resultat;
}

bool decode_bloc(const Decodage& d, const uint8_t* entree, int32_t longueur_compressee, uint8_t* sortie,
                 int32_t longueur) {
  if (!d.code.table) return false;
  LecteurBits lb(entree, entree + longueur_compressee);
  int32_t n = 0;
  while (n < longueur) {
    int s = decode_symbole(d.code, lb);
    if (s < 0) return false;
    if (s < 256) {
      sortie[n++] = static_cast<uint8_t>(s);
      continue;
    }
    uint32_t distance = d.distances[(s >> 5) - 8];
    int u = s & 31;
    int64_t copie;
    if (u <= 14) copie = u + 1;
    else if (u < 31) copie = (int64_t(1) << (u - 14)) + lb.lit(u - 14) + 14;
    else copie = (int64_t(1) << 17) + lb.lit(17) + 14;
    if (distance == 0 || distance > uint32_t(n) || copie > longueur - n) return false;
    const uint8_t* source = sortie + n - distance;
    for (int64_t i = 0; i < copie; ++i) sortie[n + i] = source[i];
    n += int32_t(copie);
  }
  return !lb.deborde;
}
