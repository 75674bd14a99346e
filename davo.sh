#!/usr/bin/env bash
# Baut und startet ZQ-Davozedizarorevodo auf Debian 12 oder führt alle Tests aus.
#
#   ./davo.sh starten [ARGUMENTE ...]   Pakete prüfen, Release bauen, Programm starten
#   ./davo.sh testen                    Pakete prüfen, mit Tests bauen, ctest ausführen,
#                                       Kern- und davo-Tests mit Sanitizern, Fuzz-Ziele,
#                                       danach Kern und davo für 32-bit-Windows bauen,
#                                       zuletzt Kern und davo für 64-bit-Windows (ohne Qt)
#                                       bauen und unter Wine prüfen
#   ./davo.sh windows                   Installationsprogramm und portables Zip für
#                                       64-bit-Windows bauen und unter Wine prüfen
#   ./davo.sh paket                     Debian-Paket (.deb) bauen und mit lintian prüfen
#   ./davo.sh handbuch                  Bilder des Handbuchs neu erzeugen, HTML (und PDF) bauen
#
# Umgebungsvariablen:
#   DAVO_BUILD        Build-Ordner (Vorgabe: build im Projektordner)
#   DAVO_BUILD_MINGW  Build-Ordner für 32-bit-Windows (Vorgabe: build-mingw im Projektordner)
#   DAVO_BUILD_WIN64  Build-Ordner für 64-bit-Windows (Vorgabe: build-win64 im Projektordner)
#   DAVO_BUILD_WIN64_KERN  Build-Ordner für 64-bit-Windows ohne Qt beim Testen
#                     (Vorgabe: build-win64-kern im Projektordner)
#   DAVO_BUILD_PAKET  Build-Ordner für das Debian-Paket (Vorgabe: build-paket im Projektordner)
#   DAVO_BUILD_SAN    Build-Ordner der Sanitizer-Stufe von testen (clang mit
#                     AddressSanitizer und UBSan; Vorgabe: ~/.cache/davo-sanitizer)
#   DAVO_FUZZ_SEKUNDEN  Laufzeit jedes Fuzz-Ziels beim Testen (Vorgabe: 20)
#   DAVO_QT_MINGW     Ablage des für Windows gebauten Qt (Vorgabe: ~/.cache/davo-qt-mingw)
set -euo pipefail

WURZEL="$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")" && pwd)"
BUILD="${DAVO_BUILD:-$WURZEL/build}"
BUILD_MINGW="${DAVO_BUILD_MINGW:-$WURZEL/build-mingw}"
TOOLCHAIN="$WURZEL/cmake/mingw-w64-i686.cmake"

PAKETE=(
  cmake
  ninja-build
  g++
  pkg-config
  qt6-base-dev
  qt6-translations-l10n
  libgl-dev
  libgtest-dev
  libgmock-dev
  libicu-dev
  libbenchmark-dev
  libxml2-utils
  poppler-utils
  g++-mingw-w64-i686
  clang
  libclang-rt-dev
)

SCHRITT="Vorbereitung"
BEFEHL=""

meldung() {
  printf '\n==> %s\n' "$*"
}

abschluss() {
  local code=$?
  if [[ $code -ne 0 && -n "$BEFEHL" ]]; then
    printf '\ndavo.sh %s: FEHLGESCHLAGEN beim Schritt "%s" (Exit-Code %d)\n' "$BEFEHL" "$SCHRITT" "$code" >&2
  fi
}
trap abschluss EXIT

pakete_installieren() {
  SCHRITT="Pakete prüfen"
  local fehlend=() paket status
  for paket in "${PAKETE[@]}"; do
    status="$(dpkg-query -W -f='${Status}' "$paket" 2>/dev/null || true)"
    if [[ "$status" != "install ok installed" ]]; then
      fehlend+=("$paket")
    fi
  done
  if [[ ${#fehlend[@]} -eq 0 ]]; then
    return 0
  fi

  meldung "Fehlende Pakete werden installiert: ${fehlend[*]}"
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "Es fehlen Pakete, aber sudo ist nicht vorhanden. Bitte als root installieren:" >&2
      echo "  apt-get install ${fehlend[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  SCHRITT="Pakete installieren"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${fehlend[@]}"
}

# Ein Build-Ordner, der mit einem anderen Generator als Ninja angelegt wurde,
# lässt sich nicht umkonfigurieren: dann nur den CMake-Cache verwerfen.
generator_pruefen() {
  local ordner="$1" cache="$1/CMakeCache.txt"
  if [[ -f "$cache" ]] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
    meldung "$ordner wurde nicht mit Ninja angelegt; CMake-Cache wird neu erstellt"
    rm -rf "$cache" "$ordner/CMakeFiles"
  fi
}

konfigurieren() {
  local typ="$1" tests="$2"
  SCHRITT="CMake konfigurieren ($BUILD)"
  generator_pruefen "$BUILD"
  meldung "Konfigurieren: $BUILD ($typ, Tests $tests)"
  cmake -S "$WURZEL" -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE="$typ" \
    -DDAVO_GUI=ON \
    -DDAVO_TESTS="$tests"
}

bauen() {
  SCHRITT="Bauen ($BUILD)"
  meldung "Bauen: $BUILD"
  cmake --build "$BUILD" "$@"
}

starten() {
  BEFEHL="starten"
  pakete_installieren
  konfigurieren Release OFF
  bauen --target davozedizarorevodo
  local programm="$BUILD/gui/davozedizarorevodo"
  if [[ ! -x "$programm" ]]; then
    echo "Programm nicht gefunden: $programm" >&2
    SCHRITT="Programm starten"
    return 1
  fi
  SCHRITT="Programm starten"
  meldung "Start: $programm $*"
  BEFEHL=""
  exec "$programm" "$@"
}

testen() {
  BEFEHL="testen"
  source "$WURZEL/packaging/windows/windows.sh"
  PAKETE+=("${WINDOWS_KERN_PAKETE[@]}")
  pakete_installieren
  konfigurieren Debug ON
  bauen

  SCHRITT="Tests (ctest)"
  meldung "Tests ausführen"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD" --output-on-failure -j2 \
    --timeout 300 --no-tests=error

  sanitizer_pruefen

  SCHRITT="32-bit-Windows konfigurieren ($BUILD_MINGW)"
  generator_pruefen "$BUILD_MINGW"
  meldung "32-bit-Windows (MinGW-w64 i686): $BUILD_MINGW"
  cmake -S "$WURZEL" -B "$BUILD_MINGW" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release \
    -DDAVO_GUI=OFF \
    -DDAVO_TESTS=OFF

  SCHRITT="32-bit-Windows bauen ($BUILD_MINGW)"
  cmake --build "$BUILD_MINGW" --target davo_core davo

  SCHRITT="32-bit-Windows prüfen"
  local exe
  exe="$(find "$BUILD_MINGW" -name davo.exe -type f -print -quit)"
  if [[ -z "$exe" ]]; then
    echo "davo.exe wurde nicht erzeugt (in $BUILD_MINGW)" >&2
    return 1
  fi
  if ! i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386'; then
    echo "$exe ist kein 32-bit-Windows-Programm" >&2
    return 1
  fi

  win64_kern_pruefen
  BEFEHL=""
  printf '\ndavo.sh testen: ERFOLGREICH - alle Tests bestanden, %s für 32-bit-Windows gebaut,\n' "$exe"
  printf 'Kern und davo für 64-bit-Windows unter Wine geprüft\n'
}

# The core and command-line tests built with clang under AddressSanitizer and
# UBSan (any finding ends the run), then each fuzz target for a short while on
# its corpus. The build folder lies outside the checkout so that a later run
# only rebuilds what changed; a folder made from another checkout is made anew.
sanitizer_pruefen() {
  local ordner="${DAVO_BUILD_SAN:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/davo-sanitizer}"
  local cache="$ordner/CMakeCache.txt"
  if [[ -f "$cache" ]] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$WURZEL" "$cache"; then
    meldung "$ordner gehört zu einem anderen Projektordner; er wird neu angelegt"
    rm -rf "$ordner"
  fi
  generator_pruefen "$ordner"
  SCHRITT="Sanitizer konfigurieren ($ordner)"
  meldung "Sanitizer (clang, AddressSanitizer und UBSan): $ordner"
  local san="-fsanitize=address,undefined -fno-sanitize-recover=all"
  CC=clang CXX=clang++ cmake -S "$WURZEL" -B "$ordner" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DDAVO_GUI=OFF \
    -DDAVO_TESTS=ON \
    -DDAVO_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-O1 -g -fno-omit-frame-pointer $san -fsanitize=fuzzer-no-link" \
    -DCMAKE_EXE_LINKER_FLAGS="$san"
  SCHRITT="Sanitizer bauen ($ordner)"
  cmake --build "$ordner"
  SCHRITT="Tests mit Sanitizern (ctest)"
  meldung "Tests mit Sanitizern"
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$ordner" --output-on-failure -j2 --timeout 300 --no-tests=error
  SCHRITT="Fuzz-Ziele"
  meldung "Fuzz-Ziele, je ${DAVO_FUZZ_SEKUNDEN:-20} s"
  "$WURZEL/tests/fuzz/lang.sh" "$ordner" "${DAVO_FUZZ_SEKUNDEN:-20}"
}

# The Debian package, made with CPack from a Release build.
paket() {
  BEFEHL="paket"
  PAKETE+=(dpkg-dev file lintian)
  pakete_installieren
  local ordner="${DAVO_BUILD_PAKET:-$WURZEL/build-paket}"
  handbuch_bauen "$ordner"
  SCHRITT="CMake konfigurieren ($ordner)"
  cmake -S "$WURZEL" -B "$ordner" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDAVO_GUI=ON -DDAVO_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DDAVO_HANDBUCH="$HANDBUCH_ORDNER"
  SCHRITT="Bauen ($ordner)"
  cmake --build "$ordner" --target davo davozedizarorevodo
  SCHRITT="Debian-Paket packen"
  rm -f "$ordner"/*.deb
  (cd "$ordner" && cpack -G DEB >/dev/null)
  local deb
  deb="$(find "$ordner" -maxdepth 1 -name '*.deb' -print -quit)"
  SCHRITT="Debian-Paket prüfen (lintian)"
  meldung "lintian $deb"
  lintian --fail-on error "$deb"
  BEFEHL=""
  printf '\ndavo.sh paket: ERFOLGREICH - %s\n' "$deb"
}

# Das Handbuch: Bilder aus dem laufenden Programm, das Kapitel zur
# Kommandozeile aus davo --help, daraus eine HTML-Datei (pandoc) und, wenn
# wkhtmltopdf da ist, eine PDF-Datei; beide in $BUILD/doc/handbuch.
# Builds the guide in the build folder $1 (set up as for ./davo.sh starten
# when it is new): the pictures, the command-line chapter, the HTML file and,
# where wkhtmltopdf serves, the PDF file, all in $1/doc/handbuch.
handbuch_bauen() {
  local ordner="$1"
  local pakete_vorher=("${PAKETE[@]}")
  PAKETE=(pandoc wkhtmltopdf)
  pakete_installieren
  PAKETE=("${pakete_vorher[@]}")
  # A build folder that is already set up keeps its settings (Debug with tests
  # after ./davo.sh testen); a new one is set up as for ./davo.sh starten.
  SCHRITT="CMake konfigurieren ($ordner)"
  generator_pruefen "$ordner"
  if [[ -f "$ordner/CMakeCache.txt" ]]; then
    cmake -S "$WURZEL" -B "$ordner" -G Ninja
  else
    cmake -S "$WURZEL" -B "$ordner" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDAVO_GUI=ON -DDAVO_TESTS=OFF
  fi
  SCHRITT="Bauen ($ordner)"
  cmake --build "$ordner" --target davo handbuch_bilder

  local quelle="$WURZEL/doc/handbuch" ziel="$ordner/doc/handbuch"
  SCHRITT="Bilder erzeugen"
  meldung "Bilder: $ziel/bilder"
  rm -rf "$ziel/bilder"
  QT_QPA_PLATFORM=offscreen "$ordner/tools/handbuch/handbuch_bilder" \
    --beispiele "$WURZEL/beispiele" --ausgabe "$ziel/bilder" --kapitel "$quelle"

  SCHRITT="Kapitel Kommandozeile"
  cmake -DDAVO="$ordner/cli/davo" -DKAPITEL="$quelle/10-kommandozeile.md" -DSCHREIBEN=ON \
    -P "$WURZEL/tools/handbuch/Kommandozeile.cmake"

  SCHRITT="HTML bauen (pandoc)"
  (cd "$ziel" && pandoc --from markdown-smart --standalone --self-contained --toc --toc-depth=1 \
    --number-sections --css "$quelle/handbuch.css" --resource-path=. \
    --to html5 "$quelle"/[0-9]*.md -o handbuch.html.neu)
  mv "$ziel/handbuch.html.neu" "$ziel/handbuch.html"

  SCHRITT="PDF bauen (wkhtmltopdf)"
  rm -f "$ziel/handbuch.pdf.neu"
  if QT_QPA_PLATFORM=offscreen wkhtmltopdf -q --enable-local-file-access "$ziel/handbuch.html" \
    "$ziel/handbuch.pdf.neu"; then
    mv "$ziel/handbuch.pdf.neu" "$ziel/handbuch.pdf"
  else
    rm -f "$ziel/handbuch.pdf.neu"
    echo "Keine PDF-Fassung: wkhtmltopdf ist gescheitert." >&2
  fi
  HANDBUCH_ORDNER="$ziel"
}

handbuch() {
  BEFEHL="handbuch"
  pakete_installieren
  handbuch_bauen "$BUILD"
  BEFEHL=""
  printf '\ndavo.sh handbuch: ERFOLGREICH - %s\n' "$HANDBUCH_ORDNER/handbuch.html"
}

hilfe() {
  cat <<'EOF'
Aufruf:
  ./davo.sh starten [ARGUMENTE ...]   bauen (Release) und das Programm starten
  ./davo.sh testen                    bauen mit Tests, Tests ausführen, Kern- und
                                      davo-Tests mit Sanitizern, Fuzz-Ziele je 20 s,
                                      Kern und davo für 32-bit-Windows bauen,
                                      Kern und davo für 64-bit-Windows (ohne Qt)
                                      bauen und unter Wine prüfen
  ./davo.sh windows                   Fensterprogramm für 64-bit-Windows bauen:
                                      Installationsprogramm und portables Zip,
                                      danach Prüfung unter Wine (beim ersten Mal
                                      wird Qt für Windows gebaut, 15-30 Minuten)
  ./davo.sh paket                     Debian-Paket bauen und mit lintian prüfen
  ./davo.sh handbuch                  Handbuch mit neuen Bildern als HTML (und PDF) bauen
EOF
}

case "${1:-}" in
  starten)
    shift
    starten "$@"
    ;;
  testen)
    shift
    if [[ $# -gt 0 ]]; then
      echo "testen nimmt keine Argumente" >&2
      hilfe >&2
      exit 2
    fi
    testen
    ;;
  windows | paket)
    befehl="$1"
    shift
    if [[ $# -gt 0 ]]; then
      echo "$befehl nimmt keine Argumente" >&2
      hilfe >&2
      exit 2
    fi
    if [[ $befehl == windows ]]; then
      source "$WURZEL/packaging/windows/windows.sh"
    fi
    "$befehl"
    ;;
  handbuch)
    handbuch
    ;;
  -h | --help | hilfe)
    hilfe
    ;;
  *)
    hilfe >&2
    exit 2
    ;;
esac
