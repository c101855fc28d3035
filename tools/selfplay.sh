#!/bin/sh
# Self-play stress test (not run in CI): two Velmar processes play N games
# against each other over UCI pipes from varied openings at a fast fixed
# time. Every "bestmove" is checked against the legal moves listed by the
# engine's own perft mode. Reports games, results, illegal moves, crashes
# and hangs; exits 1 when any of the last three is not zero.
#
#   tools/selfplay.sh N [BINARY] [MOVETIME_MS]
set -eu
racine=$(cd "$(dirname "$0")/.." && pwd)
N=${1:-10}
BINAIRE=${2:-$racine/build/velmar}
MOVETIME=${3:-100}
exec python3 - "$N" "$BINAIRE" "$MOVETIME" <<'EOF'
import os, select, subprocess, sys, time

n_parties, binaire, movetime = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
DEPART = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
OUVERTURES = [
    "e2e4 e7e5 g1f3 b8c6 f1b5", "d2d4 d7d5 c2c4 e7e6", "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4",
    "c2c4 e7e5 b1c3 g8f6", "e2e4 e7e6 d2d4 d7d5 b1c3 f8b4", "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7",
    "g1f3 d7d5 g2g3 c7c5", "e2e4 c7c6 d2d4 d7d5 e4e5", "f2f4 d7d5 g1f3", "b2b3 e7e5 c1b2 b8c6",
]
DELAI_S = 15 + movetime / 1000.0
PLIES_MAX = 300

def lit_fen(fen):
    champs = fen.split()
    plateau = {}
    for r, ligne in enumerate(champs[0].split("/")):
        c = 0
        for ch in ligne:
            if ch.isdigit():
                c += int(ch)
            else:
                plateau[(c, 7 - r)] = ch
                c += 1
    return {"p": plateau, "trait": champs[1], "roque": champs[2], "ep": champs[3],
            "demi": int(champs[4]), "num": int(champs[5])}

def ecrit_fen(e):
    rangs = []
    for r in range(7, -1, -1):
        s, vide = "", 0
        for c in range(8):
            p = e["p"].get((c, r))
            if p is None:
                vide += 1
            else:
                s += (str(vide) if vide else "") + p
                vide = 0
        rangs.append(s + (str(vide) if vide else ""))
    return "%s %s %s %s %d %d" % ("/".join(rangs), e["trait"], e["roque"] or "-", e["ep"], e["demi"], e["num"])

def case(t):
    return (ord(t[0]) - 97, int(t[1]) - 1)

def joue(e, coup):
    o, d = case(coup[0:2]), case(coup[2:4])
    p = e["p"].pop(o)
    prise = d in e["p"]
    blanc = p.isupper()
    if p in "Pp" and coup[2:4] == e["ep"]:
        e["p"].pop((d[0], o[1]), None)
        prise = True
    if p in "Kk" and abs(d[0] - o[0]) == 2:
        r = o[1]
        if d[0] == 6:
            e["p"][(5, r)] = e["p"].pop((7, r))
        else:
            e["p"][(3, r)] = e["p"].pop((0, r))
    if len(coup) == 5:
        p = coup[4].upper() if blanc else coup[4]
    e["p"][d] = p
    e["ep"] = "-"
    if p in "Pp" and abs(d[1] - o[1]) == 2:
        e["ep"] = "%s%d" % (chr(97 + o[0]), (o[1] + d[1]) // 2 + 1)
    droits = e["roque"].replace("-", "")
    for t, perdus in (("e1", "KQ"), ("e8", "kq"), ("h1", "K"), ("a1", "Q"), ("h8", "k"), ("a8", "q")):
        if t in (coup[0:2], coup[2:4]):
            droits = "".join(x for x in droits if x not in perdus)
    e["roque"] = droits or "-"
    e["demi"] = 0 if (prise or p in "Pp" or len(coup) == 5) else e["demi"] + 1
    if not blanc:
        e["num"] += 1
    e["trait"] = "b" if blanc else "w"

def coups_legaux(fen):
    r = subprocess.run([binaire, "perft", "1"] + fen.split(), capture_output=True, text=True, timeout=30)
    return {l.split(":")[0] for l in r.stdout.splitlines() if ":" in l and not l.startswith("Nodes")}

class Moteur:
    def __init__(self):
        self.p = subprocess.Popen([binaire], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.tampon = b""
    def envoie(self, ligne):
        self.p.stdin.write(ligne + "\n")
        self.p.stdin.flush()
    def attend(self, prefixe, delai):
        # Returns (line, lines read); line is None on a hang, "" on an exit.
        fin, lues = time.time() + delai, []
        while True:
            # Raw reads: a buffered reader would hide lines from select().
            while b"\n" not in self.tampon:
                reste = fin - time.time()
                if reste <= 0:
                    return None, lues
                pret, _, _ = select.select([self.p.stdout.fileno()], [], [], reste)
                if not pret:
                    continue
                bloc = os.read(self.p.stdout.fileno(), 65536)
                if not bloc:
                    return "", lues
                self.tampon += bloc
            brut, self.tampon = self.tampon.split(b"\n", 1)
            ligne = brut.decode("utf-8", "replace").strip()
            lues.append(ligne)
            if ligne.startswith(prefixe):
                return ligne, lues
    def ferme(self):
        try:
            self.envoie("quit")
            self.p.wait(timeout=5)
        except Exception:
            self.p.kill()
            self.p.wait()

bilan = {"A": 0, "B": 0, "nulles": 0}
illegaux = plantages = blocages = parties = 0
for g in range(n_parties):
    # Each opening twice, colours swapped, so neither engine gets the easier side.
    ouverture = OUVERTURES[(g // 2) % len(OUVERTURES)].split()
    blancs_a = g % 2 == 0
    moteurs = {"A": Moteur(), "B": Moteur()}
    for m in moteurs.values():
        m.envoie("uci")
        m.envoie("isready")
    for m in moteurs.values():
        if m.attend("readyok", 10)[0] in (None, ""):
            plantages += 1
    e = lit_fen(DEPART)
    coups = []
    vus = {}
    resultat = None
    for c in ouverture:
        joue(e, c)
        coups.append(c)
    while resultat is None:
        fen = ecrit_fen(e)
        cle = " ".join(fen.split()[:4])
        vus[cle] = vus.get(cle, 0) + 1
        legaux = coups_legaux(fen)
        if not legaux:
            # Mate or stalemate: the engine to move says which, without "bestmove".
            nom = "A" if (e["trait"] == "w") == blancs_a else "B"
            moteurs[nom].envoie("position startpos moves " + " ".join(coups))
            moteurs[nom].envoie("go movetime %d" % movetime)
            moteurs[nom].envoie("isready")
            ligne, lues = moteurs[nom].attend("readyok", DELAI_S)
            texte = " ".join(lues)
            if any(l.startswith("bestmove") for l in lues):
                illegaux += 1
                print("game %d: bestmove without a legal move (%s)" % (g + 1, fen))
            if "mates" in texte:
                resultat = "B" if nom == "A" else "A"
            else:
                resultat = "nulles"
            break
        if vus[cle] >= 3 or e["demi"] >= 100 or len(coups) >= PLIES_MAX or \
                all(p in "KkNnBb" for p in e["p"].values()) and len(e["p"]) <= 3:
            resultat = "nulles"
            break
        nom = "A" if (e["trait"] == "w") == blancs_a else "B"
        m = moteurs[nom]
        m.envoie("position startpos moves " + " ".join(coups))
        m.envoie("go movetime %d" % movetime)
        ligne, _ = m.attend("bestmove", DELAI_S)
        if ligne is None:
            blocages += 1
            print("game %d: engine %s hangs at %s" % (g + 1, nom, fen))
            resultat = "B" if nom == "A" else "A"
            break
        if ligne == "":
            plantages += 1
            print("game %d: engine %s died (status %s) at %s" % (g + 1, nom, m.p.poll(), fen))
            resultat = "B" if nom == "A" else "A"
            break
        coup = ligne.split()[1]
        if coup not in legaux:
            illegaux += 1
            print("game %d: illegal move %s by %s at %s" % (g + 1, coup, nom, fen))
            resultat = "B" if nom == "A" else "A"
            break
        joue(e, coup)
        coups.append(coup)
    for m in moteurs.values():
        m.ferme()
    parties += 1
    bilan[resultat] += 1
    print("game %d: %s after %d plies" % (g + 1, {"A": "A wins", "B": "B wins", "nulles": "draw"}[resultat], len(coups)))
    sys.stdout.flush()

print("games: %d  A wins: %d  B wins: %d  draws: %d" % (parties, bilan["A"], bilan["B"], bilan["nulles"]))
print("illegal moves: %d  crashes: %d  hangs: %d" % (illegaux, plantages, blocages))
sys.exit(1 if illegaux or plantages or blocages else 0)
EOF
