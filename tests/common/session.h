// Drives the real velmar binary through pipes, for transcript tests (on
// Linux with fork and poll, on Windows with CreateProcessW and a thread that
// reads the engine's output).
#pragma once

#include <memory>
#include <string>
#include <vector>

class SessionUci {
 public:
  // Starts VELMAR_BINARY with `args` in directory `repertoire` (empty = the
  // current one), with no default book unless VELMAR_BOOKS says otherwise.
  explicit SessionUci(const std::vector<std::string>& args = {}, const std::string& repertoire = "");
  ~SessionUci();
  SessionUci(const SessionUci&) = delete;
  SessionUci& operator=(const SessionUci&) = delete;

  // Writes `ligne` followed by a newline.
  void envoie(const std::string& ligne);
  // Closes the engine's standard input.
  void ferme_entree();
  // Reads lines until one starts with `prefixe`; returns it, or "" after
  // `delai_ms` without such a line (or at end of output). Every line read is
  // kept in `lignes`.
  std::string attend(const std::string& prefixe, int delai_ms = 10000);
  // Reads everything until the process ends (or `delai_ms` passes); returns
  // the exit status, or -1 on time-out (the process is then killed).
  int attend_fin(int delai_ms = 10000);
  // Every line read so far.
  std::vector<std::string> lignes;

 private:
  bool lit_ligne(std::string& ligne, int delai_ms);
  std::string tampon_;
  bool fin_ = false;
  int statut_ = -1;
#ifdef _WIN32
  struct Processus;
  std::unique_ptr<Processus> p_;
#else
  int pid_ = -1;
  int entree_ = -1;
  int sortie_ = -1;
#endif
};

// Runs the binary with `args`, feeds it `entree` then closes its input, and
// returns everything it printed on standard output. `statut` gets the exit
// status (-1 on time-out).
std::string lance_velmar(const std::vector<std::string>& args, const std::string& entree,
                         int* statut = nullptr, int delai_ms = 60000, const std::string& repertoire = "");
