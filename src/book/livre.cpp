// Book files: "Velmar.bib" is mapped read-only and searched by address;
// "Encyclopedie.bib" is opened, read and closed for every record wanted.
#include "book/livre.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "book/eco.h"
#include "book/octets.h"
#include "book/reglages_livre.h"
#include "console/sortie.h"
#include "systeme/chemins.h"
#include "systeme/fichiers.h"
#include "systeme/projection.h"

namespace {

FichierProjete projection_livre{nullptr, 0};  // the mapped "Velmar.bib"
const uint8_t* vue_livre = nullptr;          // its bytes
int64_t nb_cles_livre = 0;

constexpr const char* NOM_CLES = "Velmar.bib";
constexpr const char* NOM_ENCYCLOPEDIE = "Encyclopedie.bib";

uint64_t cle_numero(int64_t i) {
  const uint8_t* p = vue_livre + TAILLE_CLE_LIVRE * i;
  return static_cast<uint64_t>(lit_u32(p + 4)) << 32 | lit_u32(p);
}

void libere_vue() {
  libere_projection(projection_livre);
  projection_livre = {nullptr, 0};
  vue_livre = nullptr;
  nb_cles_livre = 0;
}

// Maps "Velmar.bib" and checks it against "Encyclopedie.bib". A missing book
// is silent; a damaged one is refused with one line saying why.
void mappe_livre() {
  const std::string chemin = chemin_livre(NOM_CLES);
  const FichierProjete projection = projette_fichier(chemin.c_str());
  if (projection.taille < 0) return;
  if (projection.taille == 0) {
    ecrit("info string %s : fichier vide ou illisible ; livre ignore\n", NOM_CLES);
    return;
  }
  if (projection.taille % TAILLE_CLE_LIVRE != 0) {
    ecrit("info string %s : taille de %lld octets, pas un multiple de %d ; livre ignore\n", NOM_CLES,
          static_cast<long long>(projection.taille), TAILLE_CLE_LIVRE);
    libere_projection(projection);
    return;
  }
  if (projection.octets == nullptr) return;
  projection_livre = projection;
  vue_livre = projection.octets;
  nb_cles_livre = projection.taille / TAILLE_CLE_LIVRE;

  // The lookup is a binary search: keys out of order would make it miss
  // positions silently, so such a file is refused.
  for (int64_t i = 1; i < nb_cles_livre; i++) {
    if (cle_numero(i) <= cle_numero(i - 1)) {
      ecrit("info string %s : cles non triees a l'enregistrement %lld ; livre ignore\n", NOM_CLES,
            static_cast<long long>(i));
      libere_vue();
      return;
    }
  }
  const std::string chemin_stats = chemin_livre(NOM_ENCYCLOPEDIE);
  const int64_t taille_encyclopedie = taille_fichier(chemin_stats.c_str());
  if (taille_encyclopedie < 0) {
    ecrit("info string %s : %s ; livre ignore\n", NOM_ENCYCLOPEDIE, std::strerror(errno));
    libere_vue();
    return;
  }
  if (taille_encyclopedie != nb_cles_livre * TAILLE_FICHE_LIVRE) {
    ecrit("info string %s : %lld octets pour %lld positions (attendu %lld) ; livre ignore\n",
          NOM_ENCYCLOPEDIE, static_cast<long long>(taille_encyclopedie),
          static_cast<long long>(nb_cles_livre),
          static_cast<long long>(nb_cles_livre * TAILLE_FICHE_LIVRE));
    libere_vue();
    return;
  }
  compteur_livre = 1;
}

}  // namespace

std::string chemin_livre(const char* nom) {
  // The directory comes from a fixed buffer that may lack its terminator.
  const size_t longueur = strnlen(repertoire_livres, sizeof repertoire_livres);
  std::string chemin(repertoire_livres, longueur);
  if (chemin.empty()) return nom;
  if (chemin.back() != '/' && chemin.back() != SEPARATEUR_CHEMIN) chemin += '/';
  return chemin + nom;
}

void ouvre_livre() {
  compteur_livre = 0;
  libere_vue();
  charge_eco();
  mappe_livre();
}

int livre_present() {
  int32_t cles = 0, fiches = 0;
  return taille_fichier(chemin_livre(NOM_CLES).c_str(), &cles) >= 0 && cles &&
         taille_fichier(chemin_livre(NOM_ENCYCLOPEDIE).c_str(), &fiches) >= 0 && fiches;
}

void ferme_livre() {
  libere_vue();
  libere_eco();
  compteur_livre = 0;
}

int64_t nombre_positions_livre() { return nb_cles_livre; }

int64_t cherche_livre(uint64_t cle) {
  int64_t bas = 0, haut = nb_cles_livre - 1;
  while (bas <= haut) {
    const int64_t milieu = bas + (haut - bas) / 2;
    const uint64_t c = cle_numero(milieu);
    if (c == cle) return milieu;
    if (c < cle)
      bas = milieu + 1;
    else
      haut = milieu - 1;
  }
  return -1;
}

int lit_encyclopedie(int64_t index, FicheLivre& fiche) {
  const std::string chemin = chemin_livre(NOM_ENCYCLOPEDIE);
  FILE* f = ouvre_fichier(chemin.c_str(), "rb");
  if (!f) {
    ecrit("info string %s : %s\n", NOM_ENCYCLOPEDIE, std::strerror(errno));
    return 0;
  }
  uint8_t octets[TAILLE_FICHE_LIVRE];
  const bool lu = index >= 0 && fseeko(f, static_cast<off_t>(index) * TAILLE_FICHE_LIVRE, SEEK_SET) == 0 &&
                  std::fread(octets, 1, sizeof octets, f) == sizeof octets;
  std::fclose(f);
  if (!lu) {
    ecrit("info string %s : enregistrement %lld illisible\n", NOM_ENCYCLOPEDIE, static_cast<long long>(index));
    return 0;
  }
  decode_fiche(octets, fiche);
  return 1;
}
