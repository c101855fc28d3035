// Command-line modes of the velmar binary: `velmar MODE ARGS...`.
// Without a mode the binary is the UCI engine.
#pragma once

int mode_perft(int argc, char** argv);  // velmar perft DEPTH [FEN]
int mode_bench(int argc, char** argv);  // velmar bench [DEPTH [NAME=VALUE]...]
int mode_eval(int argc, char** argv);   // velmar eval [FEN]
int mode_book(int argc, char** argv);   // velmar book --out DIR [--max-ply N] [--min-games N] FILE.pgn[.gz]...
int mode_eco(int argc, char** argv);    // velmar eco --out DIR FILE.tsv...
int mode_tb(int argc, char** argv);     // velmar tb index|probe|unpack ...
// velmar syzygy-check: checks Syzygy tables for the engine (a request on standard input)
int mode_syzygy_check(int argc, char** argv);
