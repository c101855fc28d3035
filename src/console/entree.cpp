// Standard input through the program's own buffer.
//
// Input is read from the system (systeme/entree_standard.h) into `tampon`, never through
// stdio or iostream: the search asks entree_disponible() whether a command
// is waiting, and that answer must take into account the bytes this reader
// already holds, or a "stop" sitting in a library buffer while the
// descriptor is empty would never be seen.
#include "console/entree.h"

#include <cstring>

#include "console/sortie.h"
#include "systeme/entree_standard.h"

namespace {

// Commands put aside during a search; they go back in front of the input
// when the search has answered.
constexpr int TAILLE_DIFFEREES = 16384;
// Bytes read ahead from the descriptor; the buffer keeps room for the
// commands put aside so they can always be put back in front.
constexpr int TAILLE_LECTURE = 65536;
constexpr int TAILLE_TAMPON = TAILLE_LECTURE + TAILLE_DIFFEREES;

char tampon[TAILLE_TAMPON];
int debut = 0;  // first unread byte
int fin = 0;    // one past the last byte held
int fin_vue = 0;        // the system reported the end of input (or a read failed for good)
int fin_signalee = 0;   // entree_disponible() has reported the end once

char differees[TAILLE_DIFFEREES];
int nb_differees = 0;

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Moves the unread bytes to the front of the buffer.
void tasse() {
  if (debut == 0) return;
  std::memmove(tampon, tampon + debut, static_cast<size_t>(fin - debut));
  fin -= debut;
  debut = 0;
}

// One read into the free part of the buffer. Returns the byte count, 0 at
// the end of input.
int lit_descripteur() {
  tasse();
  int libre = TAILLE_LECTURE - fin;
  if (libre <= 0) return 1;  // buffer full: the caller consumes first
  const int32_t n = lit_entree_standard(tampon + fin, libre);
  if (n > 0) {
    fin += n;
    return n;
  }
  fin_vue = 1;
  return 0;
}

// Next byte without consuming it, reading (blocking) when the buffer is
// empty; -1 at the end of input.
int regarde() {
  while (debut == fin) {
    if (fin_vue) return -1;
    debut = fin = 0;
    if (lit_descripteur() == 0) return -1;
  }
  return static_cast<unsigned char>(tampon[debut]);
}

// Whether the buffer holds a whole command: some non-blank text followed by
// a line end, or the last line of an input that has ended, or a full buffer.
// Leading blanks are dropped; no command is half-read when this is asked.
bool commande_complete() {
  while (debut < fin && blanc(tampon[debut])) ++debut;
  if (debut == fin) return false;
  if (std::memchr(tampon + debut, '\n', static_cast<size_t>(fin - debut))) return true;
  return fin_vue || fin - debut >= TAILLE_LECTURE;
}

}  // namespace

int32_t entree_disponible() {
  if (commande_complete()) return fin - debut;
  if (!fin_vue && entree_standard_prete()) {
    lit_descripteur();
    if (commande_complete()) return fin - debut;
  }
  // Report the end of input once, so that the interpreter runs and learns it.
  if (fin_vue && debut == fin && !fin_signalee) {
    fin_signalee = 1;
    return 1;
  }
  return 0;
}

int lit_mot(char* mot, int taille) {
  int c;
  while ((c = regarde()) >= 0 && blanc(static_cast<char>(c))) ++debut;
  if (c < 0) {
    mot[0] = 0;
    return LECTURE_FIN;
  }
  int n = 0;
  bool trop_long = false;
  while ((c = regarde()) >= 0 && !blanc(static_cast<char>(c))) {
    if (n < taille - 1) mot[n++] = static_cast<char>(c);
    else trop_long = true;
    ++debut;
  }
  mot[trop_long ? 0 : n] = 0;
  return trop_long ? LECTURE_TROP_LONG : LECTURE_OK;
}

int lit_mot_ligne(char* mot, int taille) {
  int c;
  while ((c = regarde()) >= 0 && c != '\n' && blanc(static_cast<char>(c))) ++debut;
  if (c < 0) {
    mot[0] = 0;
    return LECTURE_FIN;
  }
  if (c == '\n') {
    mot[0] = 0;
    return LECTURE_VIDE;
  }
  return lit_mot(mot, taille);
}

int lit_reste_ligne(char* ligne, int taille) {
  int n = 0;
  bool trop_long = false;
  int c;
  while ((c = regarde()) >= 0) {
    ++debut;
    if (c == '\n') break;
    if (n < taille - 1) ligne[n++] = static_cast<char>(c);
    else trop_long = true;
  }
  if (trop_long) {
    ligne[0] = 0;
    return LECTURE_TROP_LONG;
  }
  while (n > 0 && ligne[n - 1] == '\r') --n;
  ligne[n] = 0;
  return LECTURE_OK;
}

int entree_terminee() { return fin_vue && debut == fin; }

void entree_differe(const char* texte) {
  int n = static_cast<int>(std::strlen(texte));
  if (nb_differees + n + 1 > TAILLE_DIFFEREES) {
    ecrit("info string Commande ignoree pendant la recherche (file pleine) : %.40s\n", texte);
    return;
  }
  std::memcpy(differees + nb_differees, texte, static_cast<size_t>(n));
  nb_differees += n;
  differees[nb_differees++] = '\n';
}

void entree_reprend_differees() {
  if (nb_differees == 0) return;
  tasse();
  // The read-ahead never fills the last TAILLE_DIFFEREES bytes, so there is
  // always room to put the commands back in front.
  std::memmove(tampon + nb_differees, tampon, static_cast<size_t>(fin));
  std::memcpy(tampon, differees, static_cast<size_t>(nb_differees));
  fin += nb_differees;
  nb_differees = 0;
}

void entree_reinitialise() {
  debut = fin = 0;
  fin_vue = fin_signalee = 0;
  nb_differees = 0;
}
