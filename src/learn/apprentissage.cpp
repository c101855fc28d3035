#include "learn/apprentissage.h"

#include "book/reglages_livre.h"
#include "console/sortie.h"
#include "learn/rtf.h"

int32_t apprentissage = 0;
int32_t valeur_precedente = 30001;
int32_t valeurs_apprentissage[NB_VALEURS_APPRENTISSAGE];

namespace {

// Only the first ten searches out of book are followed: the book counter is
// 2 for the first of them and 11 for the tenth.
constexpr int PREMIER_COMPTEUR = 2;
constexpr int DERNIER_COMPTEUR = PREMIER_COMPTEUR + NB_VALEURS_APPRENTISSAGE - 1;

// A value more than this many centipawns below the previous one is worth a
// position report.
constexpr int CHUTE_SIGNALEE = 33;

constexpr const char* FICHIER_PARTIES = "apprentissage.txt";
constexpr const char* FICHIER_POSITIONS = "Position.txt";

bool compteur_suivi(int n) { return n >= PREMIER_COMPTEUR && n <= DERNIER_COMPTEUR; }

const char* texte_ou_vide(const char* texte) { return texte != nullptr ? texte : ""; }

}  // namespace

void apprentissage_partie(const Partie& p, const char* meilleur_coup, int valeur, int profondeur) {
  const int n = compteur_livre;
  if (!compteur_suivi(n)) return;
  valeurs_apprentissage[n - PREMIER_COMPTEUR] = valeur;
  ecrit("info string Apprentissage : %d valeur=%d prof=%d\n", n - PREMIER_COMPTEUR, valeur, profondeur);
  if (n != DERNIER_COMPTEUR) return;
  // The tenth value completes the stretch: one game report with all ten.
  FILE* flux = ouvre_fichier_rtf(FICHIER_PARTIES);
  if (flux == nullptr) return;
  ecrit_rapport_partie(flux, p, texte_ou_vide(meilleur_coup));
  ferme_fichier_rtf(flux);
}

void apprentissage_position(const Partie& p, const char* meilleur_coup, int valeur, int profondeur) {
  const int n = compteur_livre;
  if (!compteur_suivi(n)) {
    valeur_precedente = INFINI;
    return;
  }
  // After a reset the previous value is +infinity, so the first followed
  // search always reports its position.
  if (valeur_precedente - valeur > CHUTE_SIGNALEE) {
    ecrit("info string Apprentissage Valeur : %d ---> %d\n", valeur_precedente, valeur);
    FILE* flux = ouvre_fichier_rtf(FICHIER_POSITIONS);
    if (flux != nullptr) {
      ecrit_rapport_position(flux, p, valeur_precedente, texte_ou_vide(meilleur_coup), valeur, profondeur);
      ferme_fichier_rtf(flux);
    }
  }
  valeur_precedente = valeur;
}
