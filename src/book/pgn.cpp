#include "book/pgn.h"

#include <cstdlib>
#include <cstring>

namespace {

bool blanc(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

bool chiffre(unsigned char c) { return c >= '0' && c <= '9'; }

// A whole decimal number, or 0.
int nombre(const std::string& s) {
  if (s.empty() || s.size() > 9) return 0;
  for (unsigned char c : s)
    if (!chiffre(c)) return 0;
  return std::atoi(s.c_str());
}

void note_etiquette(const std::string& nom, const std::string& valeur, PartiePgn& p) {
  if (nom == "WhiteElo") p.elo_blancs = nombre(valeur);
  else if (nom == "BlackElo") p.elo_noirs = nombre(valeur);
  else if (nom == "Date") p.annee = valeur.size() >= 4 ? nombre(valeur.substr(0, 4)) : 0;
  else if (nom == "FEN") p.depart_special = true;
  else if (nom == "Result" && p.resultat == RESULTAT_INCONNU) {
    const int r = resultat_de(valeur);
    if (r > 0) p.resultat = r;
  }
}

// Reads one tag pair "[Name "Value"]" starting at the '['.
void lit_etiquette(const char* t, size_t n, size_t& i, PartiePgn& p) {
  i++;
  std::string nom, valeur;
  while (i < n && blanc(t[i])) i++;
  while (i < n && !blanc(t[i]) && t[i] != '"' && t[i] != ']') nom += t[i++];
  while (i < n && blanc(t[i]) && t[i] != '\n') i++;
  if (i < n && t[i] == '"') {
    i++;
    while (i < n && t[i] != '"' && t[i] != '\n') {
      if (t[i] == '\\' && i + 1 < n && (t[i + 1] == '"' || t[i + 1] == '\\')) i++;
      valeur += t[i++];
    }
  }
  // Up to the closing bracket, never past the end of the line.
  while (i < n && t[i] != ']' && t[i] != '\n') i++;
  if (i < n && t[i] == ']') i++;
  note_etiquette(nom, valeur, p);
}

bool annotation(const std::string& s) {
  for (char c : s)
    if (c != '!' && c != '?') return false;
  return true;
}

// Move text up to the result, the next game's tags or the end.
void lit_texte_coups(const char* t, size_t n, size_t& i, PartiePgn& p, size_t limite, bool arret_etiquette) {
  int profondeur = 0;  // nesting of variations
  bool debut_ligne = true;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c == '\n') {
      debut_ligne = true;
      i++;
      continue;
    }
    if (blanc(c)) {
      i++;
      continue;
    }
    const bool premier = debut_ligne;
    debut_ligne = false;
    // The next game's tags; a '[' opening a line also ends a game whose
    // variations were never closed, so one bad game cannot swallow the rest.
    if (c == '[' && arret_etiquette && (profondeur == 0 || premier)) return;
    if (c == '%' && premier) {                                    // escape line
      while (i < n && t[i] != '\n') i++;
      continue;
    }
    if (c == '{') {
      while (i < n && t[i] != '}') i++;
      if (i < n) i++;
      continue;
    }
    if (c == ';') {
      while (i < n && t[i] != '\n') i++;
      continue;
    }
    if (c == '(') {
      profondeur++;
      i++;
      continue;
    }
    if (c == ')') {
      if (profondeur > 0) profondeur--;
      i++;
      continue;
    }
    if (c == '$') {
      i++;
      while (i < n && chiffre(static_cast<unsigned char>(t[i]))) i++;
      continue;
    }
    // A plain token: move number, move, result or annotation.
    std::string jeton;
    while (i < n && !blanc(static_cast<unsigned char>(t[i])) && !std::strchr("{}();[$", t[i])) jeton += t[i++];
    if (jeton.empty()) {  // a stray ']' or '}'
      i++;
      continue;
    }
    const int r = resultat_de(jeton);
    if (r >= 0) {
      if (profondeur == 0) {
        p.resultat = r;
        return;
      }
      continue;
    }
    // "12." / "12..." / "12.e4": drop the move number.
    size_t k = 0;
    if (chiffre(static_cast<unsigned char>(jeton[0])) && jeton.compare(0, 3, "0-0") != 0) {
      while (k < jeton.size() && chiffre(static_cast<unsigned char>(jeton[k]))) k++;
      while (k < jeton.size() && jeton[k] == '.') k++;
      if (k == jeton.size()) continue;
    }
    while (k < jeton.size() && jeton[k] == '.') k++;
    if (k == jeton.size() || annotation(jeton.substr(k))) continue;
    if (profondeur == 0 && p.coups.size() < limite) p.coups.push_back(jeton.substr(k));
  }
}

}  // namespace

int resultat_de(const std::string& j) {
  if (j == "1-0") return RESULTAT_BLANCS;
  if (j == "0-1") return RESULTAT_NOIRS;
  if (j == "1/2-1/2" || j == "1/2" || j == "\xBD-\xBD" || j == "\xC2\xBD-\xC2\xBD") return RESULTAT_NULLE;
  if (j == "*") return RESULTAT_INCONNU;
  return -1;
}

bool lit_partie_pgn(const char* t, size_t n, size_t& i, PartiePgn& p, size_t limite) {
  p = PartiePgn();
  // Tags first; anything else starts the move text.
  bool trouve = false;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (blanc(c)) {
      i++;
      continue;
    }
    if (c == '[') {
      lit_etiquette(t, n, i, p);
      trouve = true;
      continue;
    }
    if (c == '%' || c == ';') {
      while (i < n && t[i] != '\n') i++;
      continue;
    }
    if (c == '{') {
      while (i < n && t[i] != '}') i++;
      if (i < n) i++;
      continue;
    }
    break;
  }
  if (i < n) {
    const int tag_resultat = p.resultat;
    p.resultat = RESULTAT_INCONNU;
    lit_texte_coups(t, n, i, p, limite, true);
    if (p.resultat == RESULTAT_INCONNU) p.resultat = tag_resultat;
    trouve = true;
  }
  return trouve;
}

void lit_coups_pgn(const std::string& texte, std::vector<std::string>& coups) {
  PartiePgn p;
  size_t i = 0;
  lit_texte_coups(texte.data(), texte.size(), i, p, static_cast<size_t>(-1), false);
  coups = std::move(p.coups);
}
