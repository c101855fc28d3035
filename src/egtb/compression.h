// Compressed tables (".emd"): header checks, block directory and the prefix
// code block decoder.
//
// A compressed file starts with a header block: a fixed banner, its length H,
// the block size, the number of blocks N, two checksums per block, a
// bit-packed directory (compressed length of every block, decoded length of
// the last one, the 24 copy distances), the code-length description of the
// block code and a checksum of all that. The compressed blocks follow.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int TAILLE_BLOC = 8192;
constexpr int LOG_TAILLE_BLOC = 13;
constexpr int BITS_TABLE_CODE = 13;
constexpr int NB_SYMBOLES = 1024;
constexpr int NB_DISTANCES = 24;
constexpr int LONGUEUR_CODE_MAX = 31;

// A canonical prefix code, decoded through a table indexed by the next
// `bits_table` bits (codes that long or shorter) and, for longer codes, by
// the first code and count of each length.
struct CodePrefixe {
  int32_t bits_table;
  int32_t longueur_max;
  uint32_t* table;  // symbol << 8 | length; 0 for a prefix of a longer code
  uint32_t premier[LONGUEUR_CODE_MAX + 2];
  uint32_t nombre[LONGUEUR_CODE_MAX + 2];
  uint32_t decalage[LONGUEUR_CODE_MAX + 2];  // first slot of each length in `symboles`
  uint16_t symboles[NB_SYMBOLES];              // symbols sorted by (length, symbol)
};

// Per-side decoding data of a registered compressed file.
struct Decodage {
  int32_t log_bloc;          // B: log2 of the block size
  int32_t nb_blocs;          // N
  int32_t longueur_dernier;  // decoded length of block N - 1
  int64_t longueur_totale;   // decoded length of the table
  uint32_t* debut_blocs;     // N + 1 file offsets: block k is [debut[k], debut[k + 1])
  uint32_t distances[NB_DISTANCES];
  CodePrefixe code;
};

// Outcome of reading a header; the registry turns it into its fatal message.
enum ResultatEntete { ENTETE_OK, ENTETE_ERREUR_LECTURE, ENTETE_MEMOIRE, ENTETE_CASSE };

// The banner every compressed file starts with.
extern const uint8_t banniere_compression[64];

// The checksum used in the header (a CRC-like sum, not the standard CRC-32).
uint32_t somme_controle(const uint8_t* octets, int64_t longueur);

// Reads and checks the header of `f` (positioned at its start); on success
// *decodage gets newly allocated decoding data.
ResultatEntete lit_entete(FILE* f, Decodage** decodage);
void libere_decodage(Decodage* d);

// Decodes one compressed block of `longueur_compressee` bytes into exactly
// `longueur` bytes at `sortie`. Returns false on any inconsistency.
bool decode_bloc(const Decodage& d, const uint8_t* entree, int32_t longueur_compressee, uint8_t* sortie,
                 int32_t longueur);
