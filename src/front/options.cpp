// The option table: "uci" announces the options from it and "setoption"
// looks them up in it, so each option is declared once.
#include "front/options.h"

#include <cstring>

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

bool vrai(const char* v) { return std::strcmp(v, "true") == 0; }

void applique_ponder(const char* v) { ponder_autorise = vrai(v); }

void applique_hash(const char* v) {
  int64_t mo = convertit_entier(v);
  alloue_hash(mo > 0 ? mo * 1048576 : 0);
  hash_actif = 1;
}

void applique_cache_tables(const char* v) { fixe_cache_tables(convertit_entier(v)); }

void applique_chemin_tables(const char* v) { tb_disponibles = initialise_tables(v); }

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
  } else if (std::strcmp(v, "false") == 0) {
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

void applique_iid(const char* v) { iid_actif = vrai(v); }
void applique_singuliere(const char* v) { extension_singuliere = vrai(v); }
void applique_securite_roi(const char* v) { extension_securite_roi = convertit_entier(v); }
void applique_tournoi(const char* v) { mode_tournoi = vrai(v); }
void applique_apprentissage(const char* v) { apprentissage = vrai(v); }
void applique_futilite(const char* v) { futilite = vrai(v); }
void applique_attaque_pions(const char* v) { attaque_pions = vrai(v); }
void applique_quiescence(const char* v) { quiescence_limitee = vrai(v); }
// Values beyond the bounds are taken as the nearest bound.
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

int applique_option(const char* nom, const char* valeur) {
  for (const Option& o : options) {
    if (std::strcmp(o.nom, nom) != 0) continue;
    o.applique(o.type == BUTTON ? "" : valeur);
    return 1;
  }
  return 0;
}

void commande_setoption() {
  static char mot[TAILLE_LIGNE];
  static char valeur[TAILLE_LIGNE];
  // "name", then the option name.
  if (lit_mot_ligne(mot, TAILLE_LIGNE) != LECTURE_OK) return;
  int r = lit_mot_ligne(mot, TAILLE_LIGNE);
  if (r == LECTURE_TROP_LONG) ecrit("info string setoption refuse : nom trop long\n");
  if (r != LECTURE_OK) return;
  for (const Option& o : options) {
    if (std::strcmp(o.nom, mot) != 0) continue;
    if (o.type != BUTTON) {
      // "value", then the value: a single word, empty when the line ends.
      if (lit_mot_ligne(valeur, TAILLE_LIGNE) == LECTURE_TROP_LONG ||
          lit_mot_ligne(valeur, TAILLE_LIGNE) == LECTURE_TROP_LONG) {
        ecrit("info string setoption %s refuse : valeur trop longue\n", o.nom);
        return;
      }
    } else {
      valeur[0] = 0;
    }
    o.applique(valeur);
    return;
  }
  // An unknown name ends the command here; what follows it on the line is
  // read as further command words and ignored.
}
