// Reading a FEN into the start fields of the game record. It sits with the
// move generator because a FEN whose side not to move is in check is refused,
// which takes the attack tests.
#pragma once

// Reads placement, side, castling and en-passant fields into the start fields
// of `partie`. Returns 1 on success. On a malformed FEN returns 0, leaves the
// game record untouched and points `erreur_fen` at a short description.
int lit_fen(const char* texte);
extern const char* erreur_fen;

// Whether the castling field of `texte` only makes sense in Chess960: read
// as Shredder-FEN or X-FEN it grants rights that the standard reading
// refuses or drops (file letters, a king or rook off its standard square).
// Changes nothing.
int fen_chess960(const char* texte);

// Sets the game record to `fen` (the standard start position when null),
// with the side to move as the program's side, and builds the search board
// from it. Returns 0, with `erreur_fen` set, when the FEN is refused.
int partie_depuis_fen(const char* fen);
