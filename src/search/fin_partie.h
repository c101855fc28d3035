// Game end: mate, stalemate, insufficient material, 50-move rule and
// threefold repetition, announced as "info string" lines.
#pragma once

// mode 0: before a search, camp = side to move; mode 1: after the engine's
// move, score = the search result, camp = the engine's side. Returns 1.
int annonce_fin_partie(int mode, int score, int camp);
// 0 no draw, 1 50-move rule, n >= 3 repetition count.
int repetition_partie();
