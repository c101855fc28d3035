#include "search/fin_partie.h"

#include "board/position.h"
#include "console/sortie.h"
#include "eval/evaluation.h"
#include "movegen/attaques.h"
#include "search/etat_recherche.h"

int annonce_fin_partie(int mode, int score, int camp) {
  if (score == MAT - 1) {
    ecrit(camp == NOIRS ? "info string ===> 0-1 {Black mates}\n" : "info string ===> 1-0 {White mates}\n");
    return 1;
  }
  if ((mode == 1 && score == -MAT) || nb_coups_racine == 0) {
    if (en_echec(camp))
      ecrit(camp == NOIRS ? "info string ===> 1-0 {White mates}\n" : "info string ===> 0-1 {Black mates}\n");
    else
      ecrit("info string ===> 1/2-1/2 {stalemate}\n");
    return 1;
  }
  if (mode != 1) return 1;
  if (position.nb_pions_blancs == 0 && position.nb_pions_noirs == 0 && materiel_insuffisant()) {
    ecrit("info string ===> 1/2-1/2 {Insufficient material}\n");
    return 1;
  }
  const int d = repetition_partie();
  if (d == 1)
    ecrit("info string ===> 1/2-1/2 {Drawn by 50-move rule}\n");
  else if (d >= 3)
    ecrit("info string ===> 1/2-1/2 {Drawn by 3-fold repetition}\n");
  return 1;
}

int repetition_partie() {
  const int i = position.demi_coups;
  const int b = position.irreversible_racine;
  if (i - b > 100) return 1;
  if (i < b) return 0;
  int n = 0;
  for (int j = i; j >= b && j >= 0; j -= 2)
    if (partie.cles[j] == position.cle) ++n;
  return n > 2 ? n : 0;
}
