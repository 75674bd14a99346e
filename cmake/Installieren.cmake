# What is installed, and the Debian package made from it with CPack
# (cpack -G DEB in the build folder; see davo.sh paket).
#
# On Windows everything goes into the one program folder (the installer and
# the portable zip add Qt and the MinGW runtime, see packaging/windows/); on
# Linux the usual places below the prefix, with the samples in
# share/zq-davozedizarorevodo, where the desktop program looks for them.

set(DAVO_PAKET zq-davozedizarorevodo)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(DAVO_ZIEL_PROGRAMM .)
  set(DAVO_ZIEL_DATEN .)
else()
  include(GNUInstallDirs)
  set(DAVO_ZIEL_PROGRAMM ${CMAKE_INSTALL_BINDIR})
  set(DAVO_ZIEL_DATEN ${CMAKE_INSTALL_DATADIR}/${DAVO_PAKET})
endif()

install(TARGETS davo RUNTIME DESTINATION ${DAVO_ZIEL_PROGRAMM})
if(TARGET davo-pdf)
  install(TARGETS davo-pdf RUNTIME DESTINATION ${DAVO_ZIEL_PROGRAMM})
endif()
if(TARGET davozedizarorevodo)
  install(TARGETS davozedizarorevodo RUNTIME DESTINATION ${DAVO_ZIEL_PROGRAMM})
endif()
# The script that makes the sample address file needs the source tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/beispiele DESTINATION ${DAVO_ZIEL_DATEN} PATTERN "*.sh" EXCLUDE)

# The user guide, built beforehand by "davo.sh handbuch" (pandoc); both
# programs look for it in the folder handbuch of the data folder.
set(DAVO_HANDBUCH "" CACHE PATH "Ordner mit dem gebauten Handbuch (handbuch.html), das mit installiert wird")
if(DAVO_HANDBUCH)
  if(NOT EXISTS ${DAVO_HANDBUCH}/handbuch.html)
    message(FATAL_ERROR "Kein Handbuch in ${DAVO_HANDBUCH}: erst ./davo.sh handbuch ausführen")
  endif()
  install(FILES ${DAVO_HANDBUCH}/handbuch.html DESTINATION ${DAVO_ZIEL_DATEN}/handbuch)
  if(EXISTS ${DAVO_HANDBUCH}/handbuch.pdf)
    install(FILES ${DAVO_HANDBUCH}/handbuch.pdf DESTINATION ${DAVO_ZIEL_DATEN}/handbuch)
  endif()
endif()

if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  return()
endif()

set(DAVO_DOKU ${CMAKE_INSTALL_DATADIR}/doc/${DAVO_PAKET})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/${DAVO_PAKET}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${DAVO_PAKET}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/copyright DESTINATION ${DAVO_DOKU})

# A Debian package carries a compressed changelog in its doc folder.
string(TIMESTAMP DAVO_DATUM "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(DAVO_BETREUER "ZQ-Soft <info@zq-soft.example.org>")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/changelog
     "${DAVO_PAKET} (${PROJECT_VERSION}) stable; urgency=medium\n\n"
     "  * Version ${PROJECT_VERSION}.\n\n"
     " -- ${DAVO_BETREUER}  ${DAVO_DATUM}\n")
find_program(DAVO_GZIP gzip)
if(DAVO_GZIP)
  execute_process(COMMAND ${DAVO_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/changelog)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${DAVO_DOKU})
endif()

set(CPACK_PACKAGE_NAME ${DAVO_PAKET})
set(CPACK_PACKAGE_VENDOR "ZQ-Soft")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Jagdgeld an die Grundeigentümer auszahlen")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${DAVO_PAKET})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_NAME ${DAVO_PAKET})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DAVO_BETREUER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Extended description only: CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Für Kassenwarte von Jagdgenossenschaften: Eigentümerverzeichnis,
Einlesen des Jagdkatasters, Auszahlungslisten, SEPA-Überweisungsdateien,
Serienbriefe und Listen. Enthält das Fensterprogramm davozedizarorevodo
und das Kommandozeilenprogramm davo.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own buttons and dialogs in German.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
include(CPack)
