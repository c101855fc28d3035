// Compressed tablebase files (".emd") over arbitrary bytes. The first byte
// of an input picks the file (bit 0: side to move, bit 1: kqk or kpk); the
// rest is its content.
//  - The header reader and block decoder are run directly on the bytes:
//    every block the directory lists is decoded.
//  - The file is then registered as "NalimovPath" does and entries are read
//    through the block cache. A damaged header ends registration with the
//    "***" message and exit status 1: the exit hook turns that into a
//    handled outcome.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "egtb/cache.h"
#include "egtb/compression.h"
#include "egtb/registre.h"
#include "egtb/tablebases.h"
#include "fuzz/commun.h"

namespace {

constexpr int BLOCS_MAX = 64;  // blocks decoded per input, to keep inputs fast

void decode_directement(const uint8_t* octets, size_t taille) {
  if (taille == 0) return;
  FILE* f = fmemopen(const_cast<uint8_t*>(octets), taille, "rb");
  if (!f) return;
  Decodage* d = nullptr;
  const ResultatEntete r = lit_entete(f, &d);
  std::fclose(f);
  if (r != ENTETE_OK) return;
  static uint8_t sortie[DONNEES_BLOC];
  for (int k = 0; k < d->nb_blocs && k < BLOCS_MAX; ++k) {
    const uint32_t debut = d->debut_blocs[k], fin = d->debut_blocs[k + 1];
    if (fin < debut || fin > taille) break;  // the cache's read would come up short
    const int32_t longueur = k == d->nb_blocs - 1 ? d->longueur_dernier : 1 << d->log_bloc;
    if (longueur > TAILLE_BLOC) break;  // the registry refuses other block sizes
    decode_bloc(*d, octets + debut, static_cast<int32_t>(fin - debut), sortie, longueur);
  }
  libere_decodage(d);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepare_harnais();
  if (mkdir("tb", 0755) != 0) std::abort();
  fixe_cache_tables(1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 1) return 0;
  const int camp = donnees[0] & 1;
  const int n = donnees[0] & 2 ? 1 : 5;  // kpk, kqk
  const uint8_t* octets = donnees + 1;
  const size_t longueur = taille - 1;

  decode_directement(octets, longueur);

  const std::string nom = std::string("tb/") + (n == 1 ? "kpk" : "kqk") + (camp ? ".nbb.emd" : ".nbw.emd");
  ecrit_fichier(nom, octets, longueur);
  try {
    if (initialise_tables("tb") && est_enregistree(n, camp)) {
      const int32_t t = taille_table(n, camp);
      for (int32_t i = 0; i < t && est_enregistree(n, camp); i += 997) lit_entree(n, camp, i);
      lit_entree(n, camp, t - 1);
    }
  } catch (const FinProcessus&) {
    // The registry refused the file with its fatal message.
  }
  std::remove(nom.c_str());
  initialise_tables(nullptr);
  return 0;
}
