// The option table: "uci" announces the options from it and "setoption"
// looks them up in it, so each option is declared once.
#include "front/options.h"

#include <strings.h>

#include <cstring>
#include <initializer_list>

#include "board/position.h"
#include "book/livre.h"
#include "book/reglages_livre.h"
#include "console/entree.h"
#include "console/sortie.h"
#include "egtb/tablebases.h"
#include "eval/hash_pions.h"
#include "eval/reglages_evaluation.h"
#include "front/interprete.h"
#include "front/nombres.h"
#include "learn/apprentissage.h"
#include "search/fils.h"
#include "search/reglages_recherche.h"
#include "search/table_hash.h"
#include "syzygy/syzygy.h"

namespace {

enum TypeOption { CHECK, SPIN, STRING, BUTTON };

// How a spin option lists its bounds and default; interfaces see the two
// orders below, and both are kept as they have always been announced.
enum OrdreSpin { DEFAUT_PUIS_BORNES, BORNES_PUIS_DEFAUT };

struct Option {
  const char* nom;
  TypeOption type;
  bool annoncee = true;                   // printed by "uci"
  const char* defaut = nullptr;           // announced default text
  const int32_t* defaut_suivi = nullptr;  // spin: announce the current value instead
  const char* defaut_texte = nullptr;     // string: announce this buffer instead
  int32_t min = 0, max = 0;
  OrdreSpin ordre = DEFAUT_PUIS_BORNES;
  void (*applique)(const char* valeur) = nullptr;
};

bool vrai(const char* v) { return strcasecmp(v, "true") == 0; }

void applique_ponder(const char* v) { ponder_autorise = vrai(v); }

void applique_hash(const char* v) {
  int64_t mo = convertit_entier(v);
  alloue_hash(mo > 0 ? mo * 1048576 : 0);
  hash_actif = 1;
}

void applique_cache_tables(const char* v) { fixe_cache_tables(convertit_entier(v)); }

// The user learns at once whether the directories hold tables, rather than
// from mate scores missing later.
void applique_chemin_tables(const char* v) {
  tb_disponibles = initialise_tables(v);
  const int n = nombre_fichiers_tables();
  if (n == 0)
    ecrit("info string NalimovPath : aucune table trouvee dans %s\n", v[0] ? v : "le repertoire courant");
  else
    ecrit("info string NalimovPath : %d fichiers de tables trouves (jusqu'a %d pieces)\n", n, tb_disponibles);
}

void applique_log(const char* v) {
  log_actif = vrai(v);
  if (log_actif) ouvre_log();
  else ferme_log();
}

void applique_livre(const char* v) {
  livre_par_defaut = 0;
  if (vrai(v)) {
    livre_demande = 1;
    if (compteur_livre == 0) ouvre_livre();
  } else if (strcasecmp(v, "false") == 0) {
    livre_demande = 0;
    if (compteur_livre != 0) ferme_livre();
  }
}

void applique_repertoire(const char* v) {
  if (std::strlen(v) >= TAILLE_REPERTOIRE) {
    ecrit("info string BookDirectory refuse : plus de %d caracteres\n", TAILLE_REPERTOIRE - 1);
    return;
  }
  std::strcpy(repertoire_livres, v);
  if (livre_demande == 1) {
    ferme_livre();
    ouvre_livre();
  }
}

void applique_efface_hash(const char*) {
  efface_hash_pions();
  efface_hash();
}

void sans_effet(const char*) {}

int32_t entier_borne(const char* v, int32_t min, int32_t max) {
  const int64_t n = convertit_entier(v);
  return static_cast<int32_t>(n < min ? min : n > max ? max : n);
}
void applique_chemin_syzygy(const char* v) { initialise_syzygy(v); }
void applique_profondeur_syzygy(const char* v) { syzygy_profondeur_sonde = entier_borne(v, 1, 100); }
void applique_regle_50_syzygy(const char* v) { syzygy_regle_50 = vrai(v); }
void applique_limite_syzygy(const char* v) { syzygy_limite_pieces = entier_borne(v, 0, 7); }

void applique_iid(const char* v) { iid_actif = vrai(v); }
void applique_singuliere(const char* v) { extension_singuliere = vrai(v); }
void applique_securite_roi(const char* v) { extension_securite_roi = convertit_entier(v); }
void applique_tournoi(const char* v) { mode_tournoi = vrai(v); }
void applique_apprentissage(const char* v) { apprentissage = vrai(v); }
void applique_futilite(const char* v) { futilite = vrai(v); }
void applique_attaque_pions(const char* v) { attaque_pions = vrai(v); }
void applique_quiescence(const char* v) { quiescence_limitee = vrai(v); }
void applique_analyse(const char* v) { analyse_uci = vrai(v); }
void applique_lignes_pv(const char* v) { nb_lignes_pv = convertit_entier(v); }
void applique_marge_interface(const char* v) { marge_interface_ms = convertit_entier(v); }
// Takes effect with the next "position": the game in hand keeps its castling.
void applique_chess960(const char* v) { chess960_demande = vrai(v); }
void applique_fils(const char* v) { fixe_nb_fils(static_cast<int32_t>(convertit_entier(v))); }

// In lookup order; "uci" prints the announced ones in this order too. Each
// option writes into the setting of the subsystem that reads it.
const Option options[] = {
    {.nom = "Ponder", .type = CHECK, .defaut = "false", .applique = applique_ponder},
    {.nom = "LogFile", .type = CHECK, .defaut = "false", .applique = applique_log},
    {.nom = "Hash", .type = SPIN, .defaut = "1", .min = 1, .max = 1024, .applique = applique_hash},
    {.nom = "NalimovCache", .type = SPIN, .defaut = "1", .min = 1, .max = 16, .ordre = BORNES_PUIS_DEFAUT,
     .applique = applique_cache_tables},
    {.nom = "NalimovPath", .type = STRING, .defaut = "<empty>", .applique = applique_chemin_tables},
    {.nom = "OwnBook", .type = CHECK, .defaut = "true", .applique = applique_livre},
    {.nom = "BookDirectory", .type = STRING, .defaut_texte = repertoire_livres, .applique = applique_repertoire},
    {.nom = "ClearHash", .type = BUTTON, .applique = applique_efface_hash},
    {.nom = "Multipv", .type = SPIN, .annoncee = false, .defaut = "1", .min = 1, .max = 1, .applique = sans_effet},
    {.nom = "TBCompresse", .type = CHECK, .annoncee = false, .defaut = "true", .applique = sans_effet},
    {.nom = "TBQuiescence", .type = CHECK, .annoncee = false, .defaut = "false", .applique = sans_effet},
    {.nom = "InternalIterativeDeepening", .type = CHECK, .defaut = "true", .applique = applique_iid},
    {.nom = "SingularExtension", .type = CHECK, .annoncee = false, .defaut = "false",
     .applique = applique_singuliere},
    {.nom = "KingSafetyExtension", .type = SPIN, .defaut_suivi = &extension_securite_roi, .min = 0, .max = 8,
     .ordre = BORNES_PUIS_DEFAUT, .applique = applique_securite_roi},
    {.nom = "Tournament", .type = CHECK, .annoncee = false, .defaut = "false", .applique = applique_tournoi},
    {.nom = "Apprentissage", .type = CHECK, .annoncee = false, .defaut = "false",
     .applique = applique_apprentissage},
    {.nom = "Futility", .type = CHECK, .defaut = "false", .applique = applique_futilite},
    {.nom = "PawnStorming", .type = CHECK, .annoncee = false, .defaut = "false", .applique = applique_attaque_pions},
    {.nom = "LimitedQuiescence", .type = CHECK, .annoncee = false, .defaut = "false",
     .applique = applique_quiescence},
    {.nom = "MultiPV", .type = SPIN, .defaut = "1", .min = 1, .max = 64, .applique = applique_lignes_pv},
    {.nom = "UCI_AnalyseMode", .type = CHECK, .defaut = "false", .applique = applique_analyse},
    {.nom = "Move Overhead", .type = SPIN, .defaut = "10", .min = 0, .max = 5000,
     .applique = applique_marge_interface},
    {.nom = "SyzygyPath", .type = STRING, .defaut = "<empty>", .applique = applique_chemin_syzygy},
    {.nom = "SyzygyProbeDepth", .type = SPIN, .defaut = "1", .min = 1, .max = 100,
     .applique = applique_profondeur_syzygy},
    {.nom = "Syzygy50MoveRule", .type = CHECK, .defaut = "true", .applique = applique_regle_50_syzygy},
    {.nom = "SyzygyProbeLimit", .type = SPIN, .defaut = "7", .min = 0, .max = 7, .applique = applique_limite_syzygy},
    {.nom = "UCI_Chess960", .type = CHECK, .defaut = "false", .applique = applique_chess960},
    {.nom = "Threads", .type = SPIN, .defaut = "1", .min = 1, .max = FILS_MAX, .applique = applique_fils},
};

constexpr const char* noms_types[] = {"check", "spin", "string", "button"};

void annonce(const Option& o) {
  switch (o.type) {
    case BUTTON:
      ecrit("option name %s type button\n", o.nom);
      break;
    case SPIN: {
      char defaut[16];
      if (o.defaut_suivi) std::snprintf(defaut, sizeof defaut, "%d", *o.defaut_suivi);
      else std::snprintf(defaut, sizeof defaut, "%s", o.defaut);
      if (o.ordre == DEFAUT_PUIS_BORNES)
        ecrit("option name %s type spin default %s min %d max %d\n", o.nom, defaut, o.min, o.max);
      else
        ecrit("option name %s type spin min %d max %d default %s\n", o.nom, o.min, o.max, defaut);
      break;
    }
    default:
      ecrit("option name %s type %s default %s\n", o.nom, noms_types[o.type],
            o.defaut_texte ? o.defaut_texte : o.defaut);
      break;
  }
}

}  // namespace

void annonce_options() {
  ecrit("id name %s %s\n", "Velmar", "4.4.3");
  ecrit("id author Corvane\n");
  for (const Option& o : options)
    if (o.annoncee) annonce(o);
  ecrit("uciok\n");
}

namespace {

// The name as written first: "Multipv" (kept, without effect) and "MultiPV"
// differ only in case. Otherwise in any case, an announced option before
// one that is not.
const Option* cherche_option(const char* nom) {
  for (const Option& o : options)
    if (std::strcmp(o.nom, nom) == 0) return &o;
  for (bool annoncee : {true, false})
    for (const Option& o : options)
      if (o.annoncee == annoncee && strcasecmp(o.nom, nom) == 0) return &o;
  return nullptr;
}

// Applies `valeur` to option `o`. A spin value must be a whole number; one
// outside the announced bounds is brought to the nearest bound.
void applique(const Option& o, const char* valeur) {
  if (o.type == BUTTON) {
    o.applique("");
    return;
  }
  if (o.type != SPIN) {
    o.applique(valeur);
    return;
  }
  int32_t v = 0;
  if (!est_entier(valeur, v)) {
    ecrit("info string setoption %s refuse : \"%s\" n'est pas un nombre entier\n", o.nom, valeur);
    return;
  }
  if (v < o.min || v > o.max) {
    const int32_t borne = v < o.min ? o.min : o.max;
    ecrit("info string %s : %d hors de %d..%d, %d retenu\n", o.nom, v, o.min, o.max, borne);
    v = borne;
  }
  char texte[16];
  std::snprintf(texte, sizeof texte, "%d", v);
  o.applique(texte);
}

}  // namespace

int applique_option(const char* nom, const char* valeur) {
  const Option* o = cherche_option(nom);
  if (!o) return 0;
  applique(*o, valeur);
  return 1;
}

void commande_setoption() {
  static char mot[TAILLE_LIGNE];
  static char nom[TAILLE_LIGNE];
  static char valeur[TAILLE_LIGNE];
  // "setoption name <name> [value <value>]": the name is every word up to
  // "value" (names may hold spaces and match in any case), the value the rest
  // of the line with its outer blanks dropped.
  int r = lit_mot_ligne(mot, TAILLE_LIGNE);
  if (r == LECTURE_OK && strcasecmp(mot, "name") != 0) {
    ecrit("info string setoption refuse : name attendu, pas %s\n", mot);
    lit_reste_ligne(valeur, TAILLE_LIGNE);
    return;
  }
  if (r != LECTURE_OK) {
    if (r == LECTURE_TROP_LONG) lit_reste_ligne(valeur, TAILLE_LIGNE);
    ecrit("info string setoption refuse : name attendu\n");
    return;
  }
  nom[0] = 0;
  size_t longueur = 0;
  bool avec_valeur = false;
  while ((r = lit_mot_ligne(mot, TAILLE_LIGNE)) == LECTURE_OK) {
    if (std::strcmp(mot, "value") == 0) {
      avec_valeur = true;
      break;
    }
    const size_t n = std::strlen(mot);
    if (longueur + n + 2 > sizeof nom) {
      r = LECTURE_TROP_LONG;
      break;
    }
    if (longueur > 0) nom[longueur++] = ' ';
    std::memcpy(nom + longueur, mot, n + 1);
    longueur += n;
  }
  if (r == LECTURE_TROP_LONG) {
    lit_reste_ligne(valeur, TAILLE_LIGNE);
    ecrit("info string setoption refuse : nom trop long\n");
    return;
  }
  const Option* o = longueur > 0 ? cherche_option(nom) : nullptr;
  valeur[0] = 0;
  if (avec_valeur && lit_reste_ligne(valeur, TAILLE_LIGNE) == LECTURE_TROP_LONG) {
    if (o) ecrit("info string setoption %s refuse : valeur trop longue\n", o->nom);
    else ecrit("info string setoption refuse : valeur trop longue\n");
    return;
  }
  if (!o) {
    if (longueur == 0) ecrit("info string setoption refuse : nom d'option manquant\n");
    else ecrit("info string option inconnue : %s\n", nom);
    return;
  }
  char* debut = valeur;
  while (*debut == ' ' || *debut == '\t') ++debut;
  size_t fin = std::strlen(debut);
  while (fin > 0 && (debut[fin - 1] == ' ' || debut[fin - 1] == '\t')) --fin;
  debut[fin] = 0;
  applique(*o, debut);
}
