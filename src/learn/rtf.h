// RTF reports: the file header, the game and position reports, the
// chess-font diagram and the position as FEN-style text.
//
// A report is composed in memory and added to its file in one write when
// the report is closed, so a failed write never leaves half a report behind
// the earlier ones. The file ends with the brace that closes the RTF document
// after every report; the next report is written over it.
#pragma once

#include <cstdio>

#include "board/position.h"

// Opens a report on file `nom` (the RTF header goes first when the file is
// new). Returns the stream to write the report into, or nullptr when the
// file cannot be written.
FILE* ouvre_fichier_rtf(const char* nom);
// Adds what was written to `flux` to its file, before the closing brace, and
// releases it (a file without the brace, as older versions wrote it, is
// continued at its end and gets one). Returns 1
// when the report reached the file, 0 when it did not (the file is then left
// as it was).
int ferme_fichier_rtf(FILE* flux);

// Game report: the ten recorded values after the game's moves.
void ecrit_rapport_partie(FILE* flux, const Partie& p, const char* meilleur_coup);
// Position report: the value drop after the game's moves.
void ecrit_rapport_position(FILE* flux, const Partie& p, int valeur_avant, const char* meilleur_coup,
                            int valeur, int profondeur);
// Diagram of the search board, in the "Chess Merida" font.
void ecrit_diagramme(FILE* flux);
// Placement, side to move and castling rights of the game record. The text
// lives in one buffer that the next call overwrites.
const char* position_en_fen(const Partie& p);
