#!/usr/bin/env bash
# Prüft das Debian-Paket auf einem frischen Debian 12: legt mit debootstrap ein
# minimales System an, installiert darin das Paket mit apt-get (nur mit den
# Abhängigkeiten, die das Paket nennt) und startet in der chroot-Umgebung
#   davo --version
#   davo --handbuch                  (das Handbuch ist mit installiert)
#   davozedizarorevodo --probelauf   (mit QT_QPA_PLATFORM=offscreen)
#
# Aufruf (als root):
#   packaging/linux/sauberes-system-pruefen.sh [PAKET.deb]
# Ohne Argument wird das Paket aus build-paket genommen (./davo.sh paket).
#
# Umgebungsvariablen:
#   DAVO_CHROOT  Ordner des frischen Systems (Vorgabe: /var/tmp/davo-debian12);
#                er wird bei jedem Lauf neu angelegt.
set -euo pipefail

WURZEL="$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../.." && pwd)"
ZIEL="${DAVO_CHROOT:-/var/tmp/davo-debian12}"
DEB="${1:-$(find "$WURZEL/build-paket" -maxdepth 1 -name 'zq-davozedizarorevodo_*.deb' -print -quit 2>/dev/null)}"

meldung() { printf '\n==> %s\n' "$*"; }

if [[ $(id -u) -ne 0 ]]; then
  echo "Bitte als root aufrufen (debootstrap und chroot brauchen root)." >&2
  exit 1
fi
if [[ -z "$DEB" || ! -f "$DEB" ]]; then
  echo "Kein Paket gefunden. Erst ./davo.sh paket aufrufen oder PAKET.deb angeben." >&2
  exit 1
fi
if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
fi

# The same Debian archive the machine already uses.
CODENAME="$(. /etc/os-release && echo "$VERSION_CODENAME")"
ARCHIV="$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' "Release: $CODENAME" | head -n 1)"

aufraeumen() {
  if mountpoint -q "$ZIEL/proc"; then umount "$ZIEL/proc"; fi
}
trap aufraeumen EXIT

meldung "Frisches Debian $CODENAME in $ZIEL (debootstrap, $ARCHIV)"
aufraeumen
rm -rf "$ZIEL"
beginn=$SECONDS
debootstrap --variant=minbase "$CODENAME" "$ZIEL" "$ARCHIV" >"$ZIEL.log" 2>&1 || {
  tail -n 20 "$ZIEL.log" >&2
  exit 1
}
echo "debootstrap: $((SECONDS - beginn)) s"

# Package sources as on this machine: the archive and its updates.
: >"$ZIEL/etc/apt/sources.list"
apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' | sort -u |
  while read -r uri release; do
    printf 'deb %s %s main\n' "$uri" "$release" >>"$ZIEL/etc/apt/sources.list"
  done
cat "$ZIEL/etc/apt/sources.list"

mount -t proc proc "$ZIEL/proc"
cp "$DEB" "$ZIEL/tmp/"
paket="/tmp/$(basename "$DEB")"

meldung "apt-get install $paket"
chroot "$ZIEL" env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
chroot "$ZIEL" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$paket" \
  >"$ZIEL.apt.log" 2>&1 || {
  tail -n 30 "$ZIEL.apt.log" >&2
  exit 1
}
grep -E '^(Setting up zq|[0-9]+ upgraded)' "$ZIEL.apt.log"

meldung "davo --version"
chroot "$ZIEL" davo --version

meldung "davo --handbuch"
chroot "$ZIEL" davo --handbuch

meldung "davozedizarorevodo --probelauf (QT_QPA_PLATFORM=offscreen)"
chroot "$ZIEL" env HOME=/root QT_QPA_PLATFORM=offscreen davozedizarorevodo --probelauf

meldung "Installierte Dateien"
chroot "$ZIEL" dpkg -L zq-davozedizarorevodo | grep -E '/(bin|applications|apps|beispiele|doc)/'

printf '\nsauberes-system-pruefen: ERFOLGREICH - Paket installiert und beide Programme laufen auf frischem Debian %s\n' \
  "$CODENAME"
