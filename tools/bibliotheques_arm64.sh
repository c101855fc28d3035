#!/usr/bin/env bash
# Unpacks the 64-bit ARM builds of the libraries Velmar links (Debian's
# libfathom-dev, libfathom1 and zlib1g-dev for arm64) into
# build-deps/aarch64-linux-gnu/, where cmake/aarch64-linux-gnu.cmake finds
# them. The packages are unpacked, not installed: installing arm64 packages
# through multiarch pulls in libc6:arm64, whose files in /lib break the
# process creation of qemu-user. Needs apt (the arm64 architecture is added
# to dpkg, and the package lists updated, when apt does not know it yet).
# Does nothing when the folder is already there.
set -euo pipefail
cd "$(dirname "$0")/.."
cible=build-deps/aarch64-linux-gnu
[ -f "$cible/usr/include/tbprobe.h" ] && [ -e "$cible/usr/lib/aarch64-linux-gnu/libfathom.so" ] && exit 0

en_root() {
  if [ "$(id -u)" = 0 ]; then "$@"
  else sudo -n "$@"
  fi
}
paquets=(libfathom-dev:arm64 libfathom1:arm64 zlib1g-dev:arm64)
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
telecharge() { (cd "$dossier" && apt-get download "${paquets[@]}" >/dev/null 2>&1); }
if ! telecharge; then
  dpkg --print-foreign-architectures | grep -qx arm64 || en_root dpkg --add-architecture arm64
  en_root apt-get update >/dev/null
  telecharge
fi
rm -rf "$cible"
mkdir -p "$cible"
for paquet in "$dossier"/*.deb; do dpkg -x "$paquet" "$cible"; done
# zlib is linked statically (libz.a): its libz.so is a link to the arm64
# system's /lib, which is not here.
rm -f "$cible/usr/lib/aarch64-linux-gnu/libz.so"
echo "ARM64 libraries unpacked in $cible"
