# The 64-bit Windows desktop program: build against the cross-built Qt, lay
# out the program folder, pack installer and portable zip, and check the
# result under Wine. Sourced by davo.sh (uses meldung, SCHRITT, WURZEL).
#
# The Qt DLLs sit beside the programs rather than being linked in statically:
# davo.exe, the desktop program and the test program share one copy of Qt,
# and the Qt build stays the ordinary shared one (plugins load as usual).

source "$WURZEL/packaging/windows/qt-mingw.sh"

BUILD_WIN64="${DAVO_BUILD_WIN64:-$WURZEL/build-win64}"
WIN64_TRIPLET=x86_64-w64-mingw32
PRODUKT=ZQ-Davozedizarorevodo

WINDOWS_PAKETE=(
  cmake
  ninja-build
  dpkg-dev
  xz-utils
  qt6-base-dev
  qt6-base-dev-tools
  qt6-translations-l10n
  libgtest-dev
  g++-mingw-w64-x86-64-posix
  nsis
  zip
  wine
  wine64
  poppler-utils
  fonts-dejavu-core
)

# What the test run needs for its Windows stage without Qt: the compiler,
# GoogleTest's sources and Wine.
WINDOWS_KERN_PAKETE=(
  g++-mingw-w64-x86-64-posix
  libgtest-dev
  wine
  wine64
)

BUILD_WIN64_KERN="${DAVO_BUILD_WIN64_KERN:-$WURZEL/build-win64-kern}"

projekt_version() {
  sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' "$WURZEL/CMakeLists.txt"
}

win64_bauen() {
  SCHRITT="64-bit-Windows konfigurieren ($BUILD_WIN64)"
  generator_pruefen "$BUILD_WIN64"
  meldung "64-bit-Windows (MinGW-w64 x86_64, Qt $QT_MINGW_PREFIX): $BUILD_WIN64"
  cmake -S "$WURZEL" -B "$BUILD_WIN64" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT_MINGW_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DDAVO_GUI=ON \
    -DDAVO_TESTS=ON \
    -DDAVO_GTEST_QUELLE=/usr/src/googletest \
    -DDAVO_HANDBUCH="$HANDBUCH_ORDNER"

  SCHRITT="64-bit-Windows bauen ($BUILD_WIN64)"
  cmake --build "$BUILD_WIN64" --parallel "${DAVO_JOBS:-2}" --target davo davozedizarorevodo davo_core_tests
}

# The program folder: what CMake installs, plus Qt, its plugins and German
# texts, and the MinGW runtime, all stripped.
win64_ordner_anlegen() {
  local ordner="$1"
  SCHRITT="Programmordner anlegen ($ordner)"
  rm -rf "$ordner"
  cmake --install "$BUILD_WIN64" --prefix "$ordner" >/dev/null

  local dll
  for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
    cp "$QT_MINGW_PREFIX/bin/$dll.dll" "$ordner/"
  done
  mkdir -p "$ordner/platforms" "$ordner/styles" "$ordner/translations"
  cp "$QT_MINGW_PREFIX/plugins/platforms/qwindows.dll" "$QT_MINGW_PREFIX/plugins/platforms/qoffscreen.dll" \
    "$ordner/platforms/"
  cp "$QT_MINGW_PREFIX/plugins/styles/qwindowsvistastyle.dll" "$ordner/styles/"
  cp /usr/share/qt6/translations/qtbase_de.qm "$ordner/translations/"
  for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$(readlink -f "$("$WIN64_TRIPLET-g++-posix" -print-file-name="$dll")")" "$ordner/"
  done
  find "$ordner" \( -name '*.dll' -o -name '*.exe' \) -exec "$WIN64_TRIPLET-strip" --strip-unneeded {} +
}

# For the uninstaller: every installed file and folder, deepest first.
win64_deinstallationsliste() {
  local ordner="$1" liste="$2" pfad
  : >"$liste"
  while IFS= read -r pfad; do
    printf 'Delete "$INSTDIR\\%s"\n' "${pfad//\//\\}" >>"$liste"
  done < <(cd "$ordner" && find . -type f -printf '%P\n' | sort)
  while IFS= read -r pfad; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${pfad//\//\\}" >>"$liste"
  done < <(cd "$ordner" && find . -mindepth 1 -type d -printf '%P\n' | sort -r)
}

win64_verpacken() {
  local version ordner
  version="$(projekt_version)"
  ordner="$BUILD_WIN64/verteilung/$PRODUKT"
  win64_ordner_anlegen "$ordner"

  SCHRITT="Portables Zip packen"
  WIN64_ZIP="$BUILD_WIN64/$PRODUKT-$version-portabel.zip"
  rm -f "$WIN64_ZIP"
  (cd "$BUILD_WIN64/verteilung" && zip -qr9 "$WIN64_ZIP" "$PRODUKT")

  SCHRITT="Installationsprogramm bauen (NSIS)"
  WIN64_SETUP="$BUILD_WIN64/$PRODUKT-Setup-$version.exe"
  local liste="$BUILD_WIN64/verteilung/deinstallieren.nsh"
  win64_deinstallationsliste "$ordner" "$liste"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DQUELLE="$ordner" -DLISTE="$liste" \
    -DAUSGABE="$WIN64_SETUP" "$WURZEL/packaging/windows/installer.nsi"
  meldung "Installationsprogramm: $WIN64_SETUP ($(du -h "$WIN64_SETUP" | cut -f1))"
  meldung "Portables Zip:         $WIN64_ZIP ($(du -h "$WIN64_ZIP" | cut -f1))"
}

# --- Wine --------------------------------------------------------------------

WINE_PREFIX_ORDNER="$BUILD_WIN64/wine"

wine_lauf() {
  WINEPREFIX="$WINE_PREFIX_ORDNER" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine "$@"
}

# A Unix path as Wine's Windows programs see it (drive Z: is the root).
wine_pfad() {
  local p
  p="$(readlink -m "$1")"
  printf 'Z:%s' "${p//\//\\}"
}

pruefen_dass() {
  local text="$1"
  shift
  if ! "$@"; then
    echo "Wine-Prüfung fehlgeschlagen: $text" >&2
    return 1
  fi
  printf '  ok  %s\n' "$text"
}

enthaelt() { grep -qF -- "$2" "$1"; }

# The uninstall entry that Windows lists under "Apps".
registriert() {
  wine_lauf reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUKT" \
    /v UninstallString >/dev/null 2>&1
}

wine_vorbereiten() {
  SCHRITT="Wine vorbereiten ($WINE_PREFIX_ORDNER)"
  meldung "Prüfung unter Wine ($(wine --version 2>/dev/null))"
  if [[ ! -f "$WINE_PREFIX_ORDNER/system.reg" ]]; then
    mkdir -p "$WINE_PREFIX_ORDNER"
    wine_lauf wineboot --init >/dev/null 2>&1
  fi
}

# The core tests as a Windows program under Wine; the runtime DLLs are
# expected beside them.
kerntests_unter_wine() {
  local tests="$1" protokoll="$2"
  SCHRITT="Wine: Kern-Tests"
  wine_lauf "$tests" --gtest_brief=1 >"$protokoll" 2>&1 || {
    cat "$protokoll" >&2
    return 1
  }
  grep -E '^\[  (PASSED|SKIPPED) ' "$protokoll" | sed 's/^/      /'
  pruefen_dass "Kern-Tests unter Wine bestanden" enthaelt "$protokoll" "[  PASSED  ]"
}

win64_pruefen() {
  local version
  version="$(projekt_version)"
  wine_vorbereiten
  # Windows has fonts in its Fonts folder (davo.exe prints PDFs with them);
  # Wine's folder is empty, so it gets DejaVu.
  cp /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf "$WINE_PREFIX_ORDNER/drive_c/windows/Fonts/"

  local probe="$BUILD_WIN64/probe"
  rm -rf "$probe"
  mkdir -p "$probe/konfig" "$probe/daten"

  SCHRITT="Wine: Installationsprogramm"
  local ziel="$probe/installiert"
  # Wine's remarks on stderr (no 32-bit Wine, drive Z: without a label) go to a file.
  wine_lauf "$WIN64_SETUP" /S "/D=$(wine_pfad "$ziel")" 2>>"$probe/wine.txt"
  local prog="$ziel" exe="$ziel/davo.exe"
  pruefen_dass "Installationsprogramm legt davo.exe an" test -f "$exe"
  pruefen_dass "Installationsprogramm legt die Beispiele an" test -f "$prog/beispiele/Jagdkataster-Beispiel.csv"
  pruefen_dass "Installationsprogramm legt das Handbuch an" test -f "$prog/handbuch/handbuch.html"
  pruefen_dass "Installationsprogramm legt den Deinstaller an" test -f "$prog/Deinstallieren.exe"
  pruefen_dass "Installationsprogramm legt den Eintrag im Startmenü an" test -f \
    "$WINE_PREFIX_ORDNER/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$PRODUKT/$PRODUKT.lnk"
  pruefen_dass "Installationsprogramm trägt sich unter Apps ein" registriert

  SCHRITT="Wine: davo --version"
  wine_lauf "$exe" --version >"$probe/version.txt"
  sed 's/^/      /' "$probe/version.txt"
  pruefen_dass "davo.exe --version nennt Version $version" enthaelt "$probe/version.txt" "davo $version"
  pruefen_dass "davo.exe --version nennt die Lizenz" enthaelt "$probe/version.txt" "GPL-3.0-or-later"
  wine_lauf "$exe" --handbuch >"$probe/handbuch.txt"
  pruefen_dass "davo.exe --handbuch findet das Handbuch" enthaelt "$probe/handbuch.txt" "handbuch.html"

  SCHRITT="Wine: Kommandozeile"
  local k adw pdf
  k="$(wine_pfad "$probe/konfig")"
  adw="$(wine_pfad "$probe/daten")\\Mitglieder.ADW"
  pdf="$(wine_pfad "$probe/daten")\\Auszahlung.pdf"
  wine_lauf "$exe" --konfig "$k" --ja flurstuecke "$(wine_pfad "$prog/beispiele/Jagdkataster-Beispiel.csv")" \
    --sortieren --in-adressdatei "$adw" >"$probe/flurstuecke.txt"
  wine_lauf "$exe" --konfig "$k" --ja aktion "$adw" freigabe-ein >"$probe/aktion.txt"
  wine_lauf "$exe" --konfig "$k" --ja adressen "$adw" >"$probe/adressen.txt"
  wine_lauf "$exe" --konfig "$k" einstellungen "$adw" BetragProHaText=25,00 "Belegtext1=Jagdgeld" >/dev/null
  wine_lauf "$exe" --konfig "$k" --ja auszahlungsliste "$adw" --art 2 >"$probe/liste.txt"
  wine_lauf "$exe" --konfig "$k" --ja auszahlungsliste "$adw" --art 2 --pdf "$pdf" >/dev/null
  pdftotext -layout "$probe/daten/Auszahlung.pdf" "$probe/auszahlung.txt"
  local adressen summe
  adressen="$(wc -l <"$probe/adressen.txt")"
  summe="$(grep 'Summe:' "$probe/liste.txt" | tr -d '\r' | tr -s '\t ' ' ')"
  echo "      $adressen Adressen aus dem Beispielkataster, erste: $(head -n 1 "$probe/adressen.txt" | tr -s '\t ' ' ')"
  echo "      Auszahlungsliste:$summe"
  pruefen_dass "Kataster in die Adressendatei übernommen" test "$adressen" -gt 10
  # The sample's 26,5552 ha at 25,00 EUR/ha, as on Linux.
  pruefen_dass "Auszahlungsliste rechnet wie unter Linux" test "$summe" = " Summe: 26,5552 663,88 "
  pruefen_dass "Auszahlungsliste als PDF mit Text" enthaelt "$probe/auszahlung.txt" "663,88"

  SCHRITT="Wine: Fensterprogramm"
  local rc=0
  wine_lauf "$prog/davozedizarorevodo.exe" -platform offscreen --konfig "$k" --probelauf >"$probe/fenster.txt" \
    2>"$probe/fenster-fehler.txt" || rc=$?
  if [[ $rc -ne 0 ]]; then
    echo "Fensterprogramm endete mit $rc:" >&2
    cat "$probe/fenster.txt" "$probe/fenster-fehler.txt" >&2
  fi
  sed 's/^/      /' "$probe/fenster.txt"
  pruefen_dass "Fensterprogramm zeigt das Hauptfenster und endet sauber" enthaelt "$probe/fenster.txt" "angezeigt"

  local tests
  tests="$(find "$BUILD_WIN64" -name davo_core_tests.exe -type f -print -quit)"
  cp "$prog"/*.dll "$(dirname "$tests")/"
  kerntests_unter_wine "$tests" "$probe/kerntests.txt"

  SCHRITT="Wine: Deinstallation"
  echo "eigene Notiz" >"$prog/beispiele/meine-notiz.txt"
  wine_lauf "$prog/Deinstallieren.exe" /S "_?=$(wine_pfad "$prog")" 2>>"$probe/wine.txt"
  pruefen_dass "Deinstallation entfernt die Programme" test ! -e "$exe"
  pruefen_dass "Deinstallation entfernt den Eintrag unter Apps" eval '! registriert'
  pruefen_dass "Deinstallation entfernt den Eintrag im Startmenü" test ! -e \
    "$WINE_PREFIX_ORDNER/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$PRODUKT"
  pruefen_dass "Deinstallation lässt Dateien des Anwenders stehen" test -f "$prog/beispiele/meine-notiz.txt"
}

# The test run's Windows stage: core and davo.exe for 64-bit Windows without
# Qt (so no Qt build is needed), the core tests and a command-line run on the
# sample cadastre under Wine. The desktop program and the installer are built
# by "davo.sh windows".
win64_kern_pruefen() {
  SCHRITT="64-bit-Windows ohne Qt konfigurieren ($BUILD_WIN64_KERN)"
  generator_pruefen "$BUILD_WIN64_KERN"
  meldung "64-bit-Windows ohne Qt (MinGW-w64 x86_64): $BUILD_WIN64_KERN"
  cmake -S "$WURZEL" -B "$BUILD_WIN64_KERN" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$WURZEL/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DDAVO_GUI=OFF \
    -DDAVO_TESTS=ON \
    -DDAVO_GTEST_QUELLE=/usr/src/googletest
  SCHRITT="64-bit-Windows ohne Qt bauen ($BUILD_WIN64_KERN)"
  cmake --build "$BUILD_WIN64_KERN" --parallel "${DAVO_JOBS:-2}" --target davo davo_core_tests

  local exe tests bin dll
  exe="$(find "$BUILD_WIN64_KERN" -name davo.exe -type f -print -quit)"
  tests="$(find "$BUILD_WIN64_KERN" -name davo_core_tests.exe -type f -print -quit)"
  for bin in "$(dirname "$exe")" "$(dirname "$tests")"; do
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
      cp "$(readlink -f "$("$WIN64_TRIPLET-g++-posix" -print-file-name="$dll")")" "$bin/"
    done
  done

  WINE_PREFIX_ORDNER="$BUILD_WIN64_KERN/wine"
  wine_vorbereiten
  local probe="$BUILD_WIN64_KERN/probe"
  rm -rf "$probe"
  mkdir -p "$probe/konfig" "$probe/daten"

  SCHRITT="Wine: davo --version"
  wine_lauf "$exe" --version >"$probe/version.txt"
  pruefen_dass "davo.exe --version nennt Version $(projekt_version)" enthaelt "$probe/version.txt" \
    "davo $(projekt_version)"

  SCHRITT="Wine: Kommandozeile"
  local k adw
  k="$(wine_pfad "$probe/konfig")"
  adw="$(wine_pfad "$probe/daten")\\Mitglieder.ADW"
  wine_lauf "$exe" --konfig "$k" --ja flurstuecke "$(wine_pfad "$WURZEL/beispiele/Jagdkataster-Beispiel.csv")" \
    --sortieren --in-adressdatei "$adw" >/dev/null
  wine_lauf "$exe" --konfig "$k" --ja aktion "$adw" freigabe-ein >/dev/null
  wine_lauf "$exe" --konfig "$k" einstellungen "$adw" BetragProHaText=25,00 "Belegtext1=Jagdgeld" >/dev/null
  wine_lauf "$exe" --konfig "$k" --ja auszahlungsliste "$adw" --art 2 >"$probe/liste.txt"
  local summe
  summe="$(grep 'Summe:' "$probe/liste.txt" | tr -d '\r' | tr -s '\t ' ' ')"
  echo "      Auszahlungsliste:$summe"
  # The sample's 26,5552 ha at 25,00 EUR/ha, as on Linux.
  pruefen_dass "Auszahlungsliste rechnet wie unter Linux" test "$summe" = " Summe: 26,5552 663,88 "

  kerntests_unter_wine "$tests" "$probe/kerntests.txt"
}

# Everything after the package check of "davo.sh windows".
windows_bauen_und_pruefen() {
  # The guide is the same on every system: built by the Linux program.
  handbuch_bauen "$BUILD"
  qt_mingw_bereitstellen
  win64_bauen
  win64_verpacken
  win64_pruefen
}

windows() {
  BEFEHL="windows"
  PAKETE=("${WINDOWS_PAKETE[@]}")
  pakete_installieren
  windows_bauen_und_pruefen
  BEFEHL=""
  printf '\ndavo.sh windows: ERFOLGREICH - %s und %s gebaut, Prüfung unter Wine bestanden\n' \
    "$WIN64_SETUP" "$WIN64_ZIP"
}
