# Qt 6 for 64-bit Windows, cross-built from Debian's own qt6-base source
# package with MinGW-w64. Sourced by davo.sh (uses meldung and SCHRITT).
#
# The result is cached outside the checkout, in $DAVO_QT_MINGW (default
# ~/.cache/davo-qt-mingw), so only the first run pays for the build:
#   $DAVO_QT_MINGW/qt/              the installed Qt (DLLs, plugins, CMake files)
#   $DAVO_QT_MINGW/toolchain.cmake  the toolchain Qt was built with (Qt's own
#                                   qt.toolchain.cmake refers to it by path)
#   $DAVO_QT_MINGW/FERTIG           written last: version and configure line
#   $DAVO_QT_MINGW/bauen.log        the log of the last build

QT_MINGW="${DAVO_QT_MINGW:-$HOME/.cache/davo-qt-mingw}"
QT_MINGW_PREFIX="$QT_MINGW/qt"

# Changing the APT sources needs root.
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  SUDO=(sudo)
fi

# Exactly the host Qt's version: the host tools (moc, uic, rcc) come from it.
qt_host_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev
}

# The configure line. Only Core, Gui, Widgets and PrintSupport are used.
# Debian's source lacks the wintab headers (no tablet events); without
# direct2d altogether Qt6PrintSupport does not link, so only direct2d1_1 goes.
qt_mingw_optionen() {
  printf '%s\n' -release -xplatform win32-g++ -qt-host-path /usr \
    -prefix "$QT_MINGW_PREFIX" \
    -nomake tests -nomake examples \
    -no-dbus -no-opengl -no-icu -no-pkg-config \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -no-zstd \
    -no-feature-sql -no-feature-network -no-feature-testlib -no-feature-tabletevent \
    -no-feature-direct2d1_1 -no-feature-androiddeployqt
}

qt_mingw_kennung() {
  printf 'qt6-base %s\n' "$(qt_host_version)"
  qt_mingw_optionen | tr '\n' ' '
  printf '\n'
  cat "$WURZEL/cmake/mingw-w64-x86_64.cmake"
}

# apt-get source needs a deb-src entry for the Debian archive the machine
# already uses; add one if there is none.
qt_mingw_quellen_eintragen() {
  if apt-cache showsrc qt6-base 2>/dev/null | grep -qx "Version: $(qt_host_version)"; then
    return 0
  fi
  local codename repo
  codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  repo="$(apt-get indextargets --format '$(REPO_URI)' "Created-By: Packages" "Release: $codename" \
    2>/dev/null | head -n 1)"
  if [[ -z "$repo" ]]; then
    echo "Kein Debian-Archiv für $codename in den APT-Quellen gefunden" >&2
    return 1
  fi
  meldung "Quellpakete werden eingetragen: deb-src $repo $codename main"
  local datei=/etc/apt/sources.list.d/davo-deb-src.sources
  local inhalt
  inhalt="Types: deb-src
URIs: $repo
Suites: $codename
Components: main"
  if [[ -f /usr/share/keyrings/debian-archive-keyring.gpg ]]; then
    inhalt+="
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
  fi
  printf '%s\n' "$inhalt" | "${SUDO[@]}" tee "$datei" >/dev/null
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
}

# Several checkouts may share the cache: one builds, the others wait for it.
qt_mingw_bereitstellen() {
  SCHRITT="Qt für Windows bereitstellen ($QT_MINGW)"
  mkdir -p "$(dirname "$QT_MINGW")"
  (
    flock 9
    qt_mingw_pruefen_oder_bauen
  ) 9>"$QT_MINGW.sperre"
}

qt_mingw_pruefen_oder_bauen() {
  if [[ -f "$QT_MINGW/FERTIG" ]] && [[ "$(cat "$QT_MINGW/FERTIG")" == "$(qt_mingw_kennung)" ]]; then
    meldung "Qt für 64-bit-Windows liegt bereit: $QT_MINGW_PREFIX"
    return 0
  fi

  meldung "Qt $(qt_host_version) wird für 64-bit-Windows gebaut (einmalig, dauert 15-30 Minuten)"
  SCHRITT="Qt-Quellen holen"
  qt_mingw_quellen_eintragen
  rm -rf "$QT_MINGW"
  mkdir -p "$QT_MINGW/quelle"
  cp "$WURZEL/cmake/mingw-w64-x86_64.cmake" "$QT_MINGW/toolchain.cmake"
  (cd "$QT_MINGW/quelle" && apt-get source "qt6-base=$(qt_host_version)")
  local quelle
  quelle="$(find "$QT_MINGW/quelle" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' -print -quit)"

  SCHRITT="Qt für Windows konfigurieren"
  local log="$QT_MINGW/bauen.log" beginn=$SECONDS
  local optionen
  mapfile -t optionen < <(qt_mingw_optionen)
  mkdir -p "$QT_MINGW/bau"
  meldung "Protokoll: $log"
  (cd "$QT_MINGW/bau" && "$quelle/configure" "${optionen[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT_MINGW/toolchain.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    return 1
  }

  SCHRITT="Qt für Windows bauen"
  nice -n 10 cmake --build "$QT_MINGW/bau" --parallel "${DAVO_JOBS:-2}" >>"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    return 1
  }
  SCHRITT="Qt für Windows installieren"
  cmake --install "$QT_MINGW/bau" >>"$log" 2>&1 || {
    tail -n 40 "$log" >&2
    return 1
  }
  rm -rf "$QT_MINGW/bau" "$QT_MINGW/quelle"
  qt_mingw_kennung >"$QT_MINGW/FERTIG"
  meldung "Qt für 64-bit-Windows gebaut in $(((SECONDS - beginn) / 60)) min $(((SECONDS - beginn) % 60)) s"
}
