#include "learn/rtf.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "board/texte_coup.h"
#include "book/eco.h"
#include "learn/apprentissage.h"
#include "systeme/fichiers.h"
#include "systeme/flux_memoire.h"
#include "systeme/heure.h"

namespace {

// The outer group opened here is closed by FIN_RTF after the last report;
// the next report is written over that closing brace, so the file is a whole
// document after every report.
constexpr const char* entete_rtf =
    "{\\rtf1\\ansi\\deff0\\deftab720\n"
    "{\\fonttbl\n"
    "{\\f0\\fswiss MS Sans Serif;}\n"
    "{\\f1\\froman\\fcharset2 Symbol;}\n"
    "{\\f2\\fmodern Courier New;}\n"
    "{\\f3\\fswiss\\fprq2\\fcharset2 Chess Alpha;}\n"
    "{\\f4\\fswiss\\fprq2\\fcharset2 Chess Merida;}}\n"
    "{\\colortbl\\red0\\green0\\blue0;}\n"
    "\\deflang1036\\pard\\plain\\f2\\fs20\n";

// One report at a time is composed in memory; its file stays open for
// appending until the report is closed.
struct RapportEnCours {
  FluxMemoire texte;
  int64_t fichier;
};
RapportEnCours rapport = {{nullptr, nullptr, 0}, -1};

constexpr char FIN_RTF[] = "}\n";
constexpr int64_t LONGUEUR_FIN_RTF = sizeof FIN_RTF - 1;

// Where the next report starts: over the closing brace of the document, or
// at the end of a file written without one.
int64_t debut_rapport(int64_t fichier, int64_t taille) {
  char fin[LONGUEUR_FIN_RTF];
  if (taille >= LONGUEUR_FIN_RTF &&
      lit_fichier_direct(fichier, fin, LONGUEUR_FIN_RTF, taille - LONGUEUR_FIN_RTF) == LONGUEUR_FIN_RTF &&
      std::memcmp(fin, FIN_RTF, LONGUEUR_FIN_RTF) == 0)
    return taille - LONGUEUR_FIN_RTF;
  if (taille >= 1 && lit_fichier_direct(fichier, fin, 1, taille - 1) == 1 && fin[0] == '}') return taille - 1;
  return taille;
}

// "Chess Merida" characters by piece type, on light and on dark squares.
constexpr char pieces_blanches_claires[7] = {' ', 'p', 'n', 'b', 'r', 'q', 'k'};
constexpr char pieces_blanches_sombres[7] = {'+', 'P', 'N', 'B', 'R', 'Q', 'K'};
constexpr char pieces_noires_claires[7] = {' ', 'o', 'm', 'v', 't', 'w', 'l'};
constexpr char pieces_noires_sombres[7] = {'+', 'O', 'M', 'V', 'T', 'W', 'L'};

// Plies of the game record, kept inside its move array.
int nombre_coups_rapport(const Partie& p) {
  if (p.nb_demi_coups < 0) return 0;
  return p.nb_demi_coups < CAPACITE_PARTIE ? p.nb_demi_coups : CAPACITE_PARTIE;
}

constexpr char lettres_fen[7] = {' ', 'P', 'N', 'B', 'R', 'Q', 'K'};

char caractere_case(int piece, int sq) {
  const bool sombre = ((colonne(sq) + rangee(sq)) & 1) == 0;  // a1 is dark
  if (piece < -ROI || piece > ROI) piece = VIDE;
  if (piece >= 0) return sombre ? pieces_blanches_sombres[piece] : pieces_blanches_claires[piece];
  return sombre ? pieces_noires_sombres[-piece] : pieces_noires_claires[-piece];
}

// Separator, date, diagram, opening name, sides and FEN-style text.
void ecrit_tete_rapport(FILE* flux, const Partie& p) {
  std::fputs("************************************\\par\n", flux);
  const std::time_t maintenant = std::time(nullptr);
  const std::tm local = heure_locale(maintenant);
  std::fprintf(flux, "Date : %02d:%02d %02d/%02d/%4d\\par\n", local.tm_hour, local.tm_min, local.tm_mday,
               local.tm_mon + 1, local.tm_year + 1900);
  ecrit_diagramme(flux);
  // The name found last stays when this position has none.
  nomme_ouverture(nom_ouverture, TAILLE_NOM_OUVERTURE);
  std::fprintf(flux, "%s\\par\n", nom_ouverture);
  std::fputs(p.camp_programme == BLANCS ? "Le programme a les blancs. " : "Le programme a les noirs. ", flux);
  std::fputs(p.trait == BLANCS ? "Les blancs doivent jouer\\par\n" : "Les noirs doivent jouer\\par\n", flux);
  std::fprintf(flux, "\\par\nFEN : %s\\par\n", position_en_fen(p));
}

// The game's moves, numbered, four full moves to a paragraph; a paragraph
// break also precedes the first move.
void ecrit_liste_coups(FILE* flux, const Partie& p) {
  const int n = nombre_coups_rapport(p);
  for (int i = 0; i < n; ++i) {
    if (i > 0) std::fputc(' ', flux);
    if (i % 2 == 0) {
      if (i % 8 == 0) std::fputs("\\par\n", flux);
      std::fprintf(flux, "%d. ", i / 2 + 1);
    }
    ecrit_coup(flux, p.coups[i]);
  }
}

}  // namespace

FILE* ouvre_fichier_rtf(const char* nom) {
  if (rapport.texte.flux != nullptr) return nullptr;
  const int64_t fichier = ouvre_fichier_direct(nom);
  if (fichier < 0) return nullptr;
  // A file that holds nothing yet (new, or left empty) gets the header.
  const bool nouveau = taille_fichier_direct(fichier) <= 0;
  if (!ouvre_flux_memoire(rapport.texte)) {
    ferme_fichier_direct(fichier);
    return nullptr;
  }
  rapport.fichier = fichier;
  if (nouveau) std::fputs(entete_rtf, rapport.texte.flux);
  return rapport.texte.flux;
}

int ferme_fichier_rtf(FILE* flux) {
  if (flux == nullptr || flux != rapport.texte.flux) return 0;
  std::fputs(FIN_RTF, flux);
  bool ecrit = ferme_flux_memoire(rapport.texte);
  const int64_t fichier = rapport.fichier;
  const int64_t taille_avant = ecrit ? taille_fichier_direct(fichier) : -1;
  ecrit = ecrit && taille_avant >= 0;
  if (ecrit) {
    const int64_t debut = debut_rapport(fichier, taille_avant);
    if (!ecrit_fichier_direct(fichier, rapport.texte.octets, static_cast<int64_t>(rapport.texte.taille), debut)) {
      // A report that did not fit is taken back out and the closing brace
      // put back, so the file keeps only whole reports.
      ecrit = false;
      tronque_fichier_direct(fichier, debut);
      if (debut < taille_avant)
        ecrit_fichier_direct(fichier, taille_avant - debut == LONGUEUR_FIN_RTF ? FIN_RTF : "}",
                             taille_avant - debut, debut);
    }
  }
  ferme_fichier_direct(fichier);
  std::free(rapport.texte.octets);
  rapport = {{nullptr, nullptr, 0}, -1};
  return ecrit ? 1 : 0;
}

void ecrit_rapport_partie(FILE* flux, const Partie& p, const char* meilleur_coup) {
  ecrit_tete_rapport(flux, p);
  ecrit_liste_coups(flux, p);
  const int n = nombre_coups_rapport(p);
  if (n % 2 == 1) {
    std::fputc(' ', flux);
  } else {
    if (n % 8 == 0) std::fputs("\\par\n", flux);
    std::fprintf(flux, " %d. ", n / 2 + 1);
  }
  std::fprintf(flux, "%s\\par\n", meilleur_coup);
  if (n > 0) std::fputc(' ', flux);
  for (int k = 0; k < NB_VALEURS_APPRENTISSAGE; ++k) {
    if (k > 0) std::fputc(' ', flux);
    std::fprintf(flux, "%d ", valeurs_apprentissage[k]);
  }
  std::fputs("\\par\n", flux);
  std::fflush(flux);
}

void ecrit_rapport_position(FILE* flux, const Partie& p, int valeur_avant, const char* meilleur_coup,
                            int valeur, int profondeur) {
  ecrit_tete_rapport(flux, p);
  ecrit_liste_coups(flux, p);
  const int n = nombre_coups_rapport(p);
  if (n > 0) std::fputc(' ', flux);
  if (n % 2 == 0) {
    if (n % 8 == 0) std::fputs("\\par\n", flux);
    std::fprintf(flux, "%d. ", n / 2 + 1);
  }
  std::fprintf(flux, "%s\\par\n", meilleur_coup);
  std::fprintf(flux, "Valeur : %d ---> %d (profondeur : %d)\\par\n\\par\n", valeur_avant, valeur, profondeur);
  std::fflush(flux);
}

void ecrit_diagramme(FILE* flux) {
  std::fputs("\\plain\\f4\\fs40\\cf0 !\"\"\"\"\"\"\"\"#\\par\n", flux);
  for (int rang = 7; rang >= 0; --rang) {
    std::fprintf(flux, "\\'e%d", rang);
    for (int col = 0; col < 8; ++col) {
      const int sq = case_de(col, rang);
      std::fputc(caractere_case(position.cases[sq], sq), flux);
    }
    std::fputs("%\\par\n", flux);
  }
  std::fputs("/\\'e8\\'e9\\'ea\\'eb\\'ec\\'ed\\'ee\\'ef)\\par\n", flux);
  std::fputs("\\plain\\f2\\fs20\\par\n", flux);
}

const char* position_en_fen(const Partie& p) {
  // 64 squares, 7 separators, side, castling and terminator.
  static char texte[96];
  int k = 0;
  for (int rang = 7; rang >= 0; --rang) {
    int vides = 0;
    for (int col = 0; col < 8; ++col) {
      const int piece = p.echiquier[case_de(col, rang)];
      if (piece == VIDE || piece < -ROI || piece > ROI) {
        ++vides;
        continue;
      }
      if (vides > 0) texte[k++] = static_cast<char>('0' + vides);
      vides = 0;
      texte[k++] = piece > 0 ? lettres_fen[piece] : static_cast<char>(lettres_fen[-piece] - 'A' + 'a');
    }
    if (vides > 0) texte[k++] = static_cast<char>('0' + vides);
    if (rang > 0) texte[k++] = '/';
  }
  texte[k++] = ' ';
  texte[k++] = p.trait == BLANCS ? 'w' : 'b';
  texte[k++] = ' ';
  if (p.roque_blancs & 1) texte[k++] = 'K';
  if (p.roque_blancs & 2) texte[k++] = 'Q';
  if ((p.roque_blancs & 3) == 0) texte[k++] = '-';
  if (p.roque_noirs & 1) texte[k++] = 'k';
  if (p.roque_noirs & 2) texte[k++] = 'q';
  if ((p.roque_noirs & 3) == 0) texte[k++] = '-';
  texte[k] = 0;
  return texte;
}
