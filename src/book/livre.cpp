// Book files: "Velmar.bib" is mapped read-only and searched by address;
// "Encyclopedie.bib" is opened, read and closed for every record wanted.
#include "book/livre.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "book/eco.h"
#include "book/octets.h"
#include "front/options.h"
#include "front/sortie.h"

namespace {

const uint8_t* vue_livre = nullptr;  // the mapped "Velmar.bib"
size_t taille_vue = 0;
int64_t nb_cles_livre = 0;

constexpr const char* NOM_CLES = "Velmar.bib";
constexpr const char* NOM_ENCYCLOPEDIE = "Encyclopedie.bib";

uint64_t cle_numero(int64_t i) {
  const uint8_t* p = vue_livre + TAILLE_CLE_LIVRE * i;
  return static_cast<uint64_t>(lit_u32(p + 4)) << 32 | lit_u32(p);
}

void libere_vue() {
  if (vue_livre) munmap(const_cast<uint8_t*>(vue_livre), taille_vue);
  vue_livre = nullptr;
  taille_vue = 0;
  nb_cles_livre = 0;
}

// Maps "Velmar.bib" and checks it against "Encyclopedie.bib". A missing book
// is silent; a damaged one is refused with one line saying why.
void mappe_livre() {
  const std::string chemin = chemin_livre(NOM_CLES);
  const int fd = open(chemin.c_str(), O_RDONLY);
  if (fd < 0) return;
  struct stat etat;
  if (fstat(fd, &etat) != 0 || etat.st_size <= 0) {
    ecrit("info string %s : fichier vide ou illisible ; livre ignore\n", NOM_CLES);
    close(fd);
    return;
  }
  if (etat.st_size % TAILLE_CLE_LIVRE != 0) {
    ecrit("info string %s : taille de %lld octets, pas un multiple de %d ; livre ignore\n", NOM_CLES,
          static_cast<long long>(etat.st_size), TAILLE_CLE_LIVRE);
    close(fd);
    return;
  }
  void* vue = mmap(nullptr, static_cast<size_t>(etat.st_size), PROT_READ, MAP_SHARED, fd, 0);
  close(fd);  // the mapping keeps the file open
  if (vue == MAP_FAILED) return;
  vue_livre = static_cast<const uint8_t*>(vue);
  taille_vue = static_cast<size_t>(etat.st_size);
  nb_cles_livre = etat.st_size / TAILLE_CLE_LIVRE;

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
  struct stat encyclopedie;
  const std::string chemin_stats = chemin_livre(NOM_ENCYCLOPEDIE);
  if (stat(chemin_stats.c_str(), &encyclopedie) != 0) {
    ecrit("info string %s : %s ; livre ignore\n", NOM_ENCYCLOPEDIE, std::strerror(errno));
    libere_vue();
    return;
  }
  if (encyclopedie.st_size != nb_cles_livre * TAILLE_FICHE_LIVRE) {
    ecrit("info string %s : %lld octets pour %lld positions (attendu %lld) ; livre ignore\n",
          NOM_ENCYCLOPEDIE, static_cast<long long>(encyclopedie.st_size),
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
  if (chemin.back() != '/') chemin += '/';
  return chemin + nom;
}

void ouvre_livre() {
  compteur_livre = 0;
  libere_vue();
  charge_eco();
  mappe_livre();
}

int livre_present() {
  struct stat etat {};
  return stat(chemin_livre(NOM_CLES).c_str(), &etat) == 0 && S_ISREG(etat.st_mode) &&
         stat(chemin_livre(NOM_ENCYCLOPEDIE).c_str(), &etat) == 0 && S_ISREG(etat.st_mode);
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
  FILE* f = std::fopen(chemin.c_str(), "rb");
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
