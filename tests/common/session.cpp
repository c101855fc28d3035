#include "common/session.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace {

long long maintenant_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

#ifdef _WIN32

// The engine's output is read by a thread into `recu`; lit_ligne waits on it
// with a time limit, as poll does on Linux.
struct SessionUci::Processus {
  HANDLE processus = nullptr;
  HANDLE entree = nullptr;  // the engine's standard input, our end
  HANDLE sortie = nullptr;  // the engine's standard output, our end
  std::thread lecteur;
  std::mutex verrou;
  std::condition_variable arrivee;
  std::string recu;
  bool fin_sortie = false;
};

namespace {

// One argument as CommandLineToArgvW and the C runtime split them.
std::wstring cite(const std::wstring& a) {
  if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
  std::wstring r = L"\"";
  size_t obliques = 0;
  for (wchar_t c : a) {
    if (c == L'\\') {
      ++obliques;
      continue;
    }
    r.append(c == L'"' ? obliques * 2 + 1 : obliques, L'\\');
    obliques = 0;
    r += c;
  }
  r.append(obliques * 2, L'\\');
  return r + L"\"";
}

std::wstring large(const std::string& texte) {
  return std::filesystem::path(std::u8string(texte.begin(), texte.end())).wstring();
}

}  // namespace

SessionUci::SessionUci(const std::vector<std::string>& args, const std::string& repertoire)
    : p_(std::make_unique<Processus>()) {
  SECURITY_ATTRIBUTES heritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE entree_moteur, sortie_moteur;
  if (!CreatePipe(&entree_moteur, &p_->entree, &heritable, 0) ||
      !CreatePipe(&p_->sortie, &sortie_moteur, &heritable, 0))
    throw std::runtime_error("CreatePipe");
  SetHandleInformation(p_->entree, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(p_->sortie, HANDLE_FLAG_INHERIT, 0);
  // No default book beside the program: a session sees only the book of
  // its own directory, whatever was built in the project.
  if (GetEnvironmentVariableW(L"VELMAR_BOOKS", nullptr, 0) == 0) SetEnvironmentVariableW(L"VELMAR_BOOKS", L"");
  std::wstring ligne = cite(large(VELMAR_BINARY));
  for (const std::string& a : args) ligne += L" " + cite(large(a));
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = entree_moteur;
  demarrage.hStdOutput = sortie_moteur;
  demarrage.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  const std::wstring dossier = large(repertoire);
  const BOOL lance = CreateProcessW(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    repertoire.empty() ? nullptr : dossier.c_str(), &demarrage, &info);
  CloseHandle(entree_moteur);
  CloseHandle(sortie_moteur);
  if (!lance) throw std::runtime_error("CreateProcessW");
  CloseHandle(info.hThread);
  p_->processus = info.hProcess;
  Processus* p = p_.get();
  p_->lecteur = std::thread([p] {
    char bloc[4096];
    DWORD n = 0;
    while (ReadFile(p->sortie, bloc, sizeof bloc, &n, nullptr) && n > 0) {
      std::lock_guard<std::mutex> g(p->verrou);
      p->recu.append(bloc, n);
      p->arrivee.notify_all();
    }
    std::lock_guard<std::mutex> g(p->verrou);
    p->fin_sortie = true;
    p->arrivee.notify_all();
  });
}

SessionUci::~SessionUci() {
  if (p_->entree) CloseHandle(p_->entree);
  if (!fin_) TerminateProcess(p_->processus, 1);
  WaitForSingleObject(p_->processus, INFINITE);
  p_->lecteur.join();
  CloseHandle(p_->sortie);
  CloseHandle(p_->processus);
}

void SessionUci::envoie(const std::string& ligne) {
  const std::string texte = ligne + "\n";
  DWORD n = 0;
  if (p_->entree) WriteFile(p_->entree, texte.data(), static_cast<DWORD>(texte.size()), &n, nullptr);
}

void SessionUci::ferme_entree() {
  if (p_->entree) CloseHandle(p_->entree);
  p_->entree = nullptr;
}

bool SessionUci::lit_ligne(std::string& ligne, int delai_ms) {
  const long long limite = maintenant_ms() + delai_ms;
  std::unique_lock<std::mutex> g(p_->verrou);
  for (;;) {
    tampon_ += p_->recu;
    p_->recu.clear();
    const size_t nl = tampon_.find('\n');
    if (nl != std::string::npos || (p_->fin_sortie && !tampon_.empty())) {
      ligne = tampon_.substr(0, nl);
      if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
      tampon_.erase(0, nl == std::string::npos ? nl : nl + 1);
      lignes.push_back(ligne);
      return true;
    }
    const long long reste = limite - maintenant_ms();
    if (reste <= 0 || p_->fin_sortie) return false;
    p_->arrivee.wait_for(g, std::chrono::milliseconds(reste));
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
  const long long limite = maintenant_ms() + delai_ms;
  std::string ligne;
  for (;;) {
    const long long reste = limite - maintenant_ms();
    if (reste <= 0 || !lit_ligne(ligne, static_cast<int>(reste))) break;
  }
  const long long reste = limite - maintenant_ms();
  if (WaitForSingleObject(p_->processus, static_cast<DWORD>(reste > 0 ? reste : 0)) != WAIT_OBJECT_0) {
    TerminateProcess(p_->processus, 1);
    WaitForSingleObject(p_->processus, INFINITE);
    fin_ = true;
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(p_->processus, &code);
  fin_ = true;
  statut_ = static_cast<int>(code);
  return statut_;
}

#else

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

#endif

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
