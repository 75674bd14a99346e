#!/usr/bin/env bash
# Runs the fuzz targets of a build, each on its corpus, for a given time.
#
#   tests/fuzz/lang.sh BUILD-ORDNER [SEKUNDEN] [ZIEL ...]
#
# SEKUNDEN is the time of each target (default 3600); without ZIEL all
# fuzz_* programs of the build folder run, one after another. The corpus of
# each target lives in $DAVO_FUZZ_ORDNER/korpus/ZIEL (default
# ~/.cache/davo-fuzz) and grows from run to run; it is seeded from the samples
# and the test data. An input that crashes or breaks a property is kept in
# $DAVO_FUZZ_ORDNER/funde. The last line per target says how many inputs ran.
# Exit status 1 when any target found something.
set -uo pipefail

WURZEL="$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../.." && pwd)"
BUILD="${1:?Aufruf: tests/fuzz/lang.sh BUILD-ORDNER [SEKUNDEN] [ZIEL ...]}"
SEKUNDEN="${2:-3600}"
shift $(($# < 2 ? $# : 2))
ORDNER="${DAVO_FUZZ_ORDNER:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/davo-fuzz}"

ziele=("$@")
if [[ ${#ziele[@]} -eq 0 ]]; then
  while IFS= read -r datei; do ziele+=("$(basename "$datei")"); done \
    < <(find "$BUILD" -maxdepth 3 -type f -name 'fuzz_*' -perm -u+x | sort)
fi
if [[ ${#ziele[@]} -eq 0 ]]; then
  echo "Keine Fuzz-Ziele in $BUILD (mit -DDAVO_FUZZ=ON und clang bauen)" >&2
  exit 2
fi

# Seeds of a target: the files of the samples and test data it reads.
saeen() {
  local ziel="$1" korpus="$2" muster=()
  case "$ziel" in
    fuzz_adressdatei | fuzz_adressenmanager) muster=('*.ADW') ;;
    fuzz_kataster | fuzz_bankdaten) muster=('*.csv') ;;
    fuzz_einstellungen) muster=('*.JGA' '*.KON') ;;
    fuzz_vorlage) muster=('*.txt') ;;
    fuzz_xml) muster=('*.xml' '*.xsd') ;;
  esac
  local m
  for m in "${muster[@]}"; do
    find "$WURZEL/beispiele" "$WURZEL/tests/data" -type f -name "$m" -size -300k -exec cp -n {} "$korpus/" \;
  done
  if [[ -d "$WURZEL/tests/fuzz/saat/$ziel" ]]; then cp -n "$WURZEL/tests/fuzz/saat/$ziel"/* "$korpus/"; fi
  if [[ $ziel == fuzz_dos ]]; then
    head -c 908 /dev/zero >"$korpus/zwei-saetze"
    head -c 448 /dev/zero | tr '\0' ' ' >"$korpus/buchhaltung"
  fi
}

fehler=0
mkdir -p "$ORDNER/funde"
for ziel in "${ziele[@]}"; do
  programm="$(find "$BUILD" -maxdepth 3 -type f -name "$ziel" -perm -u+x -print -quit)"
  if [[ -z "$programm" ]]; then
    echo "$ziel: nicht gebaut" >&2
    fehler=1
    continue
  fi
  korpus="$ORDNER/korpus/$ziel"
  mkdir -p "$korpus"
  saeen "$ziel" "$korpus"
  protokoll="$ORDNER/$ziel.log"
  printf '==> %s: %s s\n' "$ziel" "$SEKUNDEN"
  if "$programm" -max_total_time="$SEKUNDEN" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$ORDNER/funde/$ziel-" "$korpus" >"$protokoll" 2>&1; then
    laeufe="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$protokoll" | grep -o '[0-9]*$' | tail -1)"
    printf '%s: %s Läufe, Korpus %s Dateien\n' "$ziel" "${laeufe:-?}" "$(find "$korpus" -type f | wc -l)"
  else
    echo "$ziel: FUND - Protokoll $protokoll:" >&2
    grep -B2 -A30 -m1 'ERROR\|Eigenschaft verletzt\|runtime error' "$protokoll" | head -60 >&2
    fehler=1
  fi
done
exit $fehler
