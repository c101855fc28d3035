// Engine settings set by UCI options and the interpreter, and the option table
// that "uci" announces and "setoption" looks up.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int TAILLE_REPERTOIRE = 128;  // room for a book directory and its terminator
// Room for one command word or line and its terminator: a "position" line
// of a game of some 12,000 plies.
constexpr int TAILLE_LIGNE = 65536;

extern int32_t fin_programme;                    // set by "quit" and by the end of input
extern char repertoire_livres[TAILLE_REPERTOIRE];  // BookDirectory
extern int32_t ponder_autorise;                  // Ponder: announce a ponder move
extern int32_t hash_actif;                       // transposition table in use
extern int32_t livre_demande;                    // OwnBook as last set
extern int32_t livre_par_defaut;                 // 1 until OwnBook is set or the first search opens the book
extern int32_t compteur_livre;                   // book counter (see the book and the search driver)
extern int32_t log_actif;                        // LogFile, or "debug on"
extern FILE* fichier_log;                        // the open log file, or null
extern int32_t tb_disponibles;                   // largest tablebase piece count registered, 0 = none
extern int32_t iid_actif;                        // InternalIterativeDeepening
extern int32_t extension_singuliere;             // SingularExtension
extern int32_t extension_securite_roi;           // KingSafetyExtension, 0..8
extern int32_t futilite;                         // Futility
extern int32_t quiescence_limitee;               // LimitedQuiescence
extern int32_t mode_tournoi;                     // Tournament
extern int32_t apprentissage;                    // Apprentissage: learning files
extern int32_t attaque_pions;                    // PawnStorming
extern char derniere_position[TAILLE_LIGNE + 16];     // the last "position" line, from its first word
extern int32_t position_continue;                // 1 when this "position" extends the previous one

// Prints the identity, every announced option and "uciok".
void annonce_options();
// Handles "setoption": reads the option name and, when the option takes one,
// the "value" word and the value, then applies it.
void commande_setoption();
// Applies option `nom` with the text `valeur` as "setoption" would. Returns 0
// when there is no such option.
int applique_option(const char* nom, const char* valeur);
