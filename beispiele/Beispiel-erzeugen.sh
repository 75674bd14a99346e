#!/usr/bin/env bash
# Erzeugt die Beispiel-Adressendatei Mitglieder-Beispiel.ADW und ihre
# Auszahlungseinstellungen Mitglieder-Beispiel.JGA aus dem Beispiel-
# Jagdkataster, mit dem Kommandozeilenprogramm davo:
#
#   beispiele/Beispiel-erzeugen.sh [DAVO [ZIELORDNER]]
#
# DAVO ist das Programm davo (Vorgabe: build/cli/davo), ZIELORDNER der Ordner
# für die beiden Dateien (Vorgabe: der Ordner dieses Skripts).
#
# Alle Eigentümer, Banken und Konten sind erfunden: Die Bankleitzahlen
# beginnen mit 0, was keine deutsche Bank hat; die BICs tragen an achter
# Stelle eine 0 (Test-BIC). Die Prüfziffern der IBANs stimmen, damit das
# Programm sie als plausibel annimmt.
set -euo pipefail

hier="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
davo="${1:-$hier/../build/cli/davo}"
ziel="${2:-$hier}"
# Ein Arbeitsordner ohne Punkt im Namen: Die Einstellungen liegen neben der
# Adressendatei, im Pfad bis zum ersten Punkt.
arbeit="$(mktemp -d "${TMPDIR:-/tmp}/davo-beispiel-XXXXXX")"
trap 'rm -rf "$arbeit"' EXIT

adw="$arbeit/Mitglieder-Beispiel.ADW"

# Die Prüfziffern einer deutschen IBAN aus Bankleitzahl und Kontonummer
# (ISO 13616: BBAN, dann "DE" als 1314 und 00, Rest der Division durch 97).
iban() {
  local zahl="$1$2131400" rest=0 i
  for ((i = 0; i < ${#zahl}; i += 9)); do
    local stueck="${zahl:i:9}"
    rest=$(((rest * 10 ** ${#stueck} + 10#$stueck) % 97))
  done
  printf 'DE%02d%s%s' $((98 - rest)) "$1" "$2"
}

# Die Eigentümer aus dem Kataster, je einer mit der Summe seiner Flächen.
"$davo" --konfig "$arbeit" flurstuecke "$hier/Jagdkataster-Beispiel.csv" --sortieren \
  --in-adressdatei "$adw" 2>/dev/null
anzahl="$("$davo" --konfig "$arbeit" adressen "$adw" | wc -l)"

banken=("EULEDEX0XXX 09990100" "DACHDEX0XXX 09990200" "MOORDEX0XXX 09990300")
for ((nr = 1; nr <= anzahl; nr++)); do
  read -r bic blz <<<"${banken[nr % 3]}"
  konto="$(printf '%010d' $((nr * 104729 + 5003)))"
  felder=("Bankname=Beispielbank" "BLZ=$blz" "Kontonummer=$konto" "IBAN=$(iban "$blz" "$konto")" "BIC=$bic"
    "AuszahlungFrei=1")
  # Eine Adresse ohne Bankverbindung (in der Freigabeliste blass) und eine,
  # die nicht zur Auszahlung freigegeben ist.
  if ((nr == 12)); then felder=("AuszahlungFrei=1"); fi
  if ((nr == 6)); then felder[5]="AuszahlungFrei=0"; fi
  "$davo" --konfig "$arbeit" adresse "$adw" "$nr" "${felder[@]}"
done

"$davo" --konfig "$arbeit" einstellungen "$adw" \
  "Auftraggeber=Jagdgenossenschaft Eulenbrück" \
  "AuftraggeberAdresse=Am Dorfanger 1, 09991 Eulenbrück" \
  "Kreditinstitut=Beispielbank" \
  "AuftraggeberBIC=EULEDEX0XXX" \
  "AuftraggeberIBAN=$(iban 09990100 0000123456)" \
  "BetragProHaText=25,00" \
  "KleinsterBetragText=5,00" \
  "Belegtext1=Jagdpacht 2026 !NAM1" \
  "SepaFormat=09"

mkdir -p "$ziel"
cp "$adw" "$arbeit/Mitglieder-Beispiel.JGA" "$ziel/"
