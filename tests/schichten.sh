#!/bin/sh
# Checks the layer order of the core's folders:
#
#   app <- addresses <- printing <- letters <- parcels, payout
#
# A file in a folder may include headers of its own folder and of the folders
# to its left, never of those to its right (parcels and payout not each
# other's either), and no Qt header at all. Prints every include against the
# order and fails when there is one.
#
# Aufruf: schichten.sh CORE-ORDNER
set -eu
kern="${1:?Aufruf: schichten.sh CORE-ORDNER}"

erlaubt() {
  case "$1" in
    app) echo "app" ;;
    addresses) echo "app addresses" ;;
    printing) echo "app addresses printing" ;;
    letters) echo "app addresses printing letters" ;;
    parcels) echo "app addresses printing letters parcels" ;;
    payout) echo "app addresses printing letters payout" ;;
    *) echo "" ;;
  esac
}

fehler=0
for pfad in "$kern"/*/; do
  ordner="$(basename "$pfad")"
  darf="$(erlaubt "$ordner")"
  if [ -z "$darf" ]; then
    echo "$ordner/: Ordner ohne Platz in der Schichtfolge"
    fehler=1
    continue
  fi
  for datei in "$pfad"*.h "$pfad"*.cpp; do
    [ -e "$datei" ] || continue
    # Each include of a core folder, and each Qt header, as "line:folder".
    treffer="$(sed -n -e 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([A-Za-z_]*\)/.*|\1|p' \
                     -e 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q[A-Za-z]*\)>.*|Qt|p' "$datei")"
    for ziel in $treffer; do
      case " $darf " in
        *" $ziel "*) ;;
        *)
          echo "$ordner/$(basename "$datei"): bindet $ziel ein, erlaubt sind: $darf"
          fehler=1
          ;;
      esac
    done
  done
done
[ "$fehler" -eq 0 ] && echo "Schichtfolge eingehalten"
exit "$fehler"
