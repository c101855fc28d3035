#include "common/session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace {

long long maintenant_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

SessionUci::SessionUci(const std::vector<std::string>& args, const std::string& repertoire) {
  signal(SIGPIPE, SIG_IGN);
  int vers_moteur[2], depuis_moteur[2];
  if (pipe(vers_moteur) != 0 || pipe(depuis_moteur) != 0) throw std::runtime_error("pipe");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    dup2(vers_moteur[0], 0);
    dup2(depuis_moteur[1], 1);
    close(vers_moteur[0]);
    close(vers_moteur[1]);
    close(depuis_moteur[0]);
    close(depuis_moteur[1]);
    if (!repertoire.empty() && chdir(repertoire.c_str()) != 0) _exit(126);
    // No default book beside the program: a session sees only the book of
    // its own directory, whatever was built in the project.
    setenv("VELMAR_BOOKS", "", 0);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(VELMAR_BINARY));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(VELMAR_BINARY, argv.data());
    _exit(127);
  }
  close(vers_moteur[0]);
  close(depuis_moteur[1]);
  entree_ = vers_moteur[1];
  sortie_ = depuis_moteur[0];
}

SessionUci::~SessionUci() {
  if (entree_ >= 0) close(entree_);
  if (pid_ > 0 && !fin_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (sortie_ >= 0) close(sortie_);
}

void SessionUci::envoie(const std::string& ligne) {
  std::string texte = ligne + "\n";
  size_t fait = 0;
  while (entree_ >= 0 && fait < texte.size()) {
    ssize_t n = write(entree_, texte.data() + fait, texte.size() - fait);
    if (n <= 0) break;
    fait += static_cast<size_t>(n);
  }
}

void SessionUci::ferme_entree() {
  if (entree_ >= 0) close(entree_);
  entree_ = -1;
}

bool SessionUci::lit_ligne(std::string& ligne, int delai_ms) {
  long long limite = maintenant_ms() + delai_ms;
  for (;;) {
    size_t nl = tampon_.find('\n');
    if (nl != std::string::npos) {
      ligne = tampon_.substr(0, nl);
      if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
      tampon_.erase(0, nl + 1);
      lignes.push_back(ligne);
      return true;
    }
    long long reste = limite - maintenant_ms();
    if (reste <= 0 || sortie_ < 0) return false;
    pollfd p{sortie_, POLLIN, 0};
    int r = poll(&p, 1, static_cast<int>(reste));
    if (r <= 0) continue;
    char bloc[4096];
    ssize_t n = read(sortie_, bloc, sizeof bloc);
    if (n <= 0) {
      if (!tampon_.empty()) tampon_ += '\n';
      else {
        close(sortie_);
        sortie_ = -1;
        return false;
      }
      continue;
    }
    tampon_.append(bloc, static_cast<size_t>(n));
  }
}

std::string SessionUci::attend(const std::string& prefixe, int delai_ms) {
  long long limite = maintenant_ms() + delai_ms;
  std::string ligne;
  for (;;) {
    long long reste = limite - maintenant_ms();
    if (reste <= 0) return "";
    if (!lit_ligne(ligne, static_cast<int>(reste))) return "";
    if (ligne.rfind(prefixe, 0) == 0) return ligne;
  }
}

int SessionUci::attend_fin(int delai_ms) {
  long long limite = maintenant_ms() + delai_ms;
  std::string ligne;
  while (sortie_ >= 0) {
    long long reste = limite - maintenant_ms();
    if (reste <= 0) break;
    lit_ligne(ligne, static_cast<int>(reste));
  }
  for (;;) {
    int statut = 0;
    pid_t r = waitpid(pid_, &statut, WNOHANG);
    if (r == pid_) {
      fin_ = true;
      statut_ = WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut);
      return statut_;
    }
    if (maintenant_ms() >= limite) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      fin_ = true;
      return -1;
    }
    usleep(5000);
  }
}

std::string lance_velmar(const std::vector<std::string>& args, const std::string& entree, int* statut,
                         int delai_ms, const std::string& repertoire) {
  SessionUci s(args, repertoire);
  if (!entree.empty()) s.envoie(entree.back() == '\n' ? entree.substr(0, entree.size() - 1) : entree);
  s.ferme_entree();
  int r = s.attend_fin(delai_ms);
  if (statut) *statut = r;
  std::string sortie;
  for (const std::string& l : s.lignes) sortie += l + "\n";
  return sortie;
}
