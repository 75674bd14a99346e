# The command-line chapter of the user guide carries the output of
# davo --help between two marker lines. By default this script checks that
# it still does; with -DSCHREIBEN=ON it writes the current output there.
#
#   cmake -DDAVO=build/cli/davo -DKAPITEL=doc/handbuch/10-kommandozeile.md [-DSCHREIBEN=ON] -P Kommandozeile.cmake

set(anfang "<!-- Ausgabe von davo --help: Anfang -->\n")
set(ende "<!-- Ausgabe von davo --help: Ende -->")

execute_process(COMMAND "${DAVO}" --help OUTPUT_VARIABLE hilfe RESULT_VARIABLE ergebnis)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "${DAVO} --help endete mit ${ergebnis}")
endif()
set(block "${anfang}\n```text\n${hilfe}```\n\n")

file(READ "${KAPITEL}" text)
string(FIND "${text}" "${anfang}" von)
string(FIND "${text}" "${ende}" bis)
if(von LESS 0 OR bis LESS von)
  message(FATAL_ERROR "${KAPITEL}: die Markierungen der Hilfe fehlen")
endif()
string(SUBSTRING "${text}" 0 ${von} vorher)
string(SUBSTRING "${text}" ${bis} -1 nachher)
set(neu "${vorher}${block}${nachher}")

if(SCHREIBEN)
  if(NOT neu STREQUAL text)
    file(WRITE "${KAPITEL}" "${neu}")
    message(STATUS "${KAPITEL}: Hilfe von davo eingetragen")
  endif()
elseif(NOT neu STREQUAL text)
  message(FATAL_ERROR "${KAPITEL} zeigt nicht die Ausgabe von davo --help. Bitte ./davo.sh handbuch ausführen.")
endif()
