#include "systeme/processus.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

namespace {

// Takes one line out of `tampon` into `ligne`; false when it holds none.
bool extrait_ligne(std::string& tampon, std::string& ligne) {
  const size_t fin = tampon.find('\n');
  if (fin == std::string::npos) return false;
  ligne.assign(tampon, 0, fin);
  if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
  tampon.erase(0, fin + 1);
  return true;
}

int64_t maintenant_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring utf16(const std::string& texte) {
  if (texte.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), nullptr, 0);
  std::wstring large(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), large.data(), n);
  return large;
}

// One argument quoted the way the C runtime splits a command line: inside
// quotes, backslashes are literal except before a quote, where they are
// doubled, and the quote is escaped.
void ajoute_argument(std::wstring& ligne, const std::wstring& argument) {
  if (!ligne.empty()) ligne += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    ligne += argument;
    return;
  }
  ligne += L'"';
  size_t barres = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++barres;
      continue;
    }
    ligne.append(c == L'"' ? 2 * barres + 1 : barres, L'\\');
    barres = 0;
    ligne += c;
  }
  ligne.append(2 * barres, L'\\');
  ligne += L'"';
}

}  // namespace

bool lance_processus(const std::vector<std::string>& arguments, const std::string& entree, Processus& p) {
  if (arguments.empty()) return false;
  SECURITY_ATTRIBUTES heritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE entree_lue = nullptr, entree_ecrite = nullptr, sortie_lue = nullptr, sortie_ecrite = nullptr;
  if (!CreatePipe(&entree_lue, &entree_ecrite, &heritable, static_cast<DWORD>(entree.size() + 4096))) return false;
  if (!CreatePipe(&sortie_lue, &sortie_ecrite, &heritable, 0)) {
    CloseHandle(entree_lue);
    CloseHandle(entree_ecrite);
    return false;
  }
  // The parent's ends stay out of the child.
  SetHandleInformation(entree_ecrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(sortie_lue, HANDLE_FLAG_INHERIT, 0);
  DWORD ecrits = 0;
  const bool entree_ok =
      WriteFile(entree_ecrite, entree.data(), static_cast<DWORD>(entree.size()), &ecrits, nullptr) &&
      ecrits == entree.size();
  CloseHandle(entree_ecrite);
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &heritable, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  std::wstring ligne;
  for (const std::string& a : arguments) ajoute_argument(ligne, utf16(a));
  const std::wstring programme = utf16(arguments[0]);
  STARTUPINFOEXW demarrage{};
  demarrage.StartupInfo.cb = sizeof demarrage;
  demarrage.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  demarrage.StartupInfo.hStdInput = entree_lue;
  demarrage.StartupInfo.hStdOutput = sortie_ecrite;
  demarrage.StartupInfo.hStdError = nul != INVALID_HANDLE_VALUE ? nul : sortie_ecrite;
  // The child inherits these three handles and no other (the engine's own
  // standard handles, which an interface made inheritable, stay out).
  HANDLE herites[3] = {entree_lue, sortie_ecrite, demarrage.StartupInfo.hStdError};
  const DWORD nb_herites = demarrage.StartupInfo.hStdError == sortie_ecrite ? 2 : 3;
  SIZE_T taille_attributs = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &taille_attributs);
  std::vector<char> attributs(taille_attributs);
  demarrage.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributs.data());
  bool lance = entree_ok && InitializeProcThreadAttributeList(demarrage.lpAttributeList, 1, 0, &taille_attributs);
  if (lance) {
    lance = UpdateProcThreadAttribute(demarrage.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, herites,
                                      nb_herites * sizeof(HANDLE), nullptr, nullptr);
    PROCESS_INFORMATION info{};
    lance = lance && CreateProcessW(programme.c_str(), ligne.data(), nullptr, nullptr, TRUE,
                                    CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                                    &demarrage.StartupInfo, &info);
    DeleteProcThreadAttributeList(demarrage.lpAttributeList);
    if (lance) {
      CloseHandle(info.hThread);
      p.id = reinterpret_cast<intptr_t>(info.hProcess);
    }
  }
  CloseHandle(entree_lue);
  CloseHandle(sortie_ecrite);
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!lance) {
    CloseHandle(sortie_lue);
    return false;
  }
  p.sortie = reinterpret_cast<intptr_t>(sortie_lue);
  p.tampon.clear();
  return true;
}

int lit_ligne_processus(Processus& p, std::string& ligne, int32_t millisecondes) {
  const int64_t limite = maintenant_ms() + millisecondes;
  HANDLE tube = reinterpret_cast<HANDLE>(p.sortie);
  for (;;) {
    if (extrait_ligne(p.tampon, ligne)) return LIGNE_LUE;
    if (p.sortie == -1) return FIN_SORTIE;
    // Anonymous pipes have no waiting with a time-out: look, then sleep a
    // little, until bytes come, the pipe breaks or the time is up.
    DWORD disponibles = 0;
    if (!PeekNamedPipe(tube, nullptr, 0, nullptr, &disponibles, nullptr)) {
      CloseHandle(tube);
      p.sortie = -1;
      continue;
    }
    if (disponibles > 0) {
      char bloc[4096];
      DWORD lus = 0;
      const DWORD demande = disponibles < sizeof bloc ? disponibles : sizeof bloc;
      if (!ReadFile(tube, bloc, demande, &lus, nullptr) || lus == 0) {
        CloseHandle(tube);
        p.sortie = -1;
        continue;
      }
      p.tampon.append(bloc, lus);
      continue;
    }
    if (maintenant_ms() >= limite) return DELAI_DEPASSE;
    Sleep(2);
  }
}

void termine_enfant(Processus& p) {
  if (p.sortie != -1) CloseHandle(reinterpret_cast<HANDLE>(p.sortie));
  p.sortie = -1;
  if (p.id != -1) {
    HANDLE processus = reinterpret_cast<HANDLE>(p.id);
    if (WaitForSingleObject(processus, 0) != WAIT_OBJECT_0) TerminateProcess(processus, 1);
    WaitForSingleObject(processus, INFINITE);
    CloseHandle(processus);
  }
  p.id = -1;
  p.tampon.clear();
}

#else

bool lance_processus(const std::vector<std::string>& arguments, const std::string& entree, Processus& p) {
  if (arguments.empty()) return false;
  int tube_entree[2], tube_sortie[2];
  if (pipe2(tube_entree, O_CLOEXEC) != 0) return false;
  if (pipe2(tube_sortie, O_CLOEXEC) != 0) {
    close(tube_entree[0]);
    close(tube_entree[1]);
    return false;
  }
  // The input goes into the pipe before the child exists: no write can then
  // meet a child that already ended (SIGPIPE) or block on one that reads
  // nothing. A pipe holds 64 KiB.
  size_t ecrits = 0;
  fcntl(tube_entree[1], F_SETFL, O_NONBLOCK);
  while (ecrits < entree.size()) {
    const ssize_t n = write(tube_entree[1], entree.data() + ecrits, entree.size() - ecrits);
    if (n <= 0 && errno != EINTR) break;
    if (n > 0) ecrits += static_cast<size_t>(n);
  }
  close(tube_entree[1]);
  bool lance = ecrits == entree.size();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, tube_entree[0], 0);
  posix_spawn_file_actions_adddup2(&actions, tube_sortie[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (lance) lance = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(tube_entree[0]);
  close(tube_sortie[1]);
  if (!lance) {
    close(tube_sortie[0]);
    return false;
  }
  p.id = pid;
  p.sortie = tube_sortie[0];
  p.tampon.clear();
  return true;
}

int lit_ligne_processus(Processus& p, std::string& ligne, int32_t millisecondes) {
  const int64_t limite = maintenant_ms() + millisecondes;
  for (;;) {
    if (extrait_ligne(p.tampon, ligne)) return LIGNE_LUE;
    if (p.sortie == -1) return FIN_SORTIE;
    const int64_t reste = limite - maintenant_ms();
    if (reste <= 0) return DELAI_DEPASSE;
    pollfd attente{static_cast<int>(p.sortie), POLLIN, 0};
    const int r = poll(&attente, 1, static_cast<int>(reste));
    if (r < 0 && errno == EINTR) continue;
    if (r == 0) return DELAI_DEPASSE;
    char bloc[4096];
    const ssize_t n = r > 0 ? read(static_cast<int>(p.sortie), bloc, sizeof bloc) : -1;
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      close(static_cast<int>(p.sortie));
      p.sortie = -1;
      continue;
    }
    p.tampon.append(bloc, static_cast<size_t>(n));
  }
}

void termine_enfant(Processus& p) {
  if (p.sortie != -1) close(static_cast<int>(p.sortie));
  p.sortie = -1;
  if (p.id != -1) {
    // Killing a child that already ended is harmless: its id stays reserved
    // until it is waited for.
    kill(static_cast<pid_t>(p.id), SIGKILL);
    int statut = 0;
    while (waitpid(static_cast<pid_t>(p.id), &statut, 0) < 0 && errno == EINTR) {
    }
  }
  p.id = -1;
  p.tampon.clear();
}

#endif
