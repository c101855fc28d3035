#!/usr/bin/env bash
# Checks that report files open as RTF: LibreOffice converts each to PDF, and
# to plain text in which no RTF control word is left over.
# Installs Debian's LibreOffice writer when it is missing. Exit status 77
# means the check could not run (no LibreOffice and no way to install it).
set -u

trouve_soffice() { command -v soffice || command -v libreoffice; }

if ! trouve_soffice >/dev/null; then
  if command -v apt-get >/dev/null && [ "$(id -u)" = 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y --no-install-recommends libreoffice-writer-nogui >/dev/null 2>&1 ||
      { apt-get update >/dev/null 2>&1 &&
        apt-get install -y --no-install-recommends libreoffice-writer-nogui >/dev/null 2>&1; }
  fi
fi
soffice=$(trouve_soffice) || { echo "LibreOffice is not installed and could not be installed: RTF check skipped"; exit 77; }

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
profil="-env:UserInstallation=file://$travail/profil"
for fichier in "$@"; do
  nom=$(basename "$fichier")
  nom=${nom%.*}
  # The reports are named .txt; the .rtf name makes LibreOffice read them as
  # RTF. The copy is byte for byte the file.
  cp "$fichier" "$travail/$nom.rtf"
  for format in pdf txt:Text; do
    if ! timeout 300 "$soffice" "$profil" --headless --convert-to "$format" --outdir "$travail/sortie" \
        "$travail/$nom.rtf" >"$travail/journal" 2>&1; then
      echo "conversion of $fichier to $format failed:"; cat "$travail/journal"; exit 1
    fi
  done
  [ -s "$travail/sortie/$nom.pdf" ] || { echo "no PDF made from $fichier"; exit 1; }
  if grep -q '\\par\|\\rtf1\|\\plain' "$travail/sortie/$nom.txt"; then
    echo "$fichier was not read as RTF:"; head -20 "$travail/sortie/$nom.txt"; exit 1
  fi
  grep -q "FEN : " "$travail/sortie/$nom.txt" || { echo "no report text in $fichier"; exit 1; }
done
echo "RTF check passed: $*"
