#pragma once
// The invented owners of the generated files and benchmarks: names, streets
// and places with umlauts, mixed case and names that sort close together.

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "app/Text.h"

namespace davo::bench {

// Written in UTF-8 here; the files get them as Windows-1252.
inline constexpr const char* const kNachnamen[] = {
    "Müller",        "Muller",  "Mueller",  "Schmidt",    "Schneider", "Fischer", "Weber",   "Meyer",    "Wagner",
    "Becker",        "Schäfer", "Hoffmann", "Schütz",     "Koch",      "Bauer",   "Richter", "Klein",    "Wolf",
    "Schröder",      "Neumann", "Schwarz",  "Zimmermann", "Braun",     "Krüger",  "Hofmann", "Hartmann", "Lange",
    "Schmitt",       "Werner",  "Krause",   "Meier",      "Lehmann",   "Özdemir", "Groß",    "Weiß",     "Bruns",
    "von der Heide", "Ahlers",  "abt",      "Abel",       "Örtel",     "Oertel",  "Krämer",  "Kramer",   "Zander"};
inline constexpr const char* const kVornamen[] = {"Hans",  "Anna",   "Jürgen", "Maria", "Karl",   "Ursula",   "Heinz",
                                                  "Erika", "Dieter", "Änne",   "Udo",   "Gisela", "Bernd",    "Ingrid",
                                                  "Klaus", "Uwe",    "Renate", "Frank", "Monika", "Hannelore"};
inline constexpr const char* const kStrassen[] = {"Hauptstraße",  "Dorfstraße", "Am Bach",   "Kirchweg",
                                                  "Mühlenweg",    "Feldstraße", "Zur Linde", "Birkenallee",
                                                  "Gartenstraße", "Am Anger"};
inline constexpr const char* const kOrte[] = {"Feldheim",     "Großdorf",   "Au",       "Zell",       "Adorf",
                                              "Neuenkirchen", "Mühlhausen", "Oberbach", "Kleinwörth", "Lindenau"};

template <std::size_t N>
std::string Eins(const char* const (&liste)[N], std::minstd_rand& zahlen) {
  return app::Utf8NachAnsi(liste[zahlen() % N]);
}

// ", Surname, First, Street No, Postcode Town[, geb. X][, date]"
inline std::string Person(std::minstd_rand& zahlen) {
  std::string t = ", " + Eins(kNachnamen, zahlen) + ", " + Eins(kVornamen, zahlen) + ", " + Eins(kStrassen, zahlen) +
                  " " + std::to_string(1 + zahlen() % 120);
  const std::uint32_t ort = zahlen() % std::size(kOrte);
  t += ", " + std::to_string(31000 + ort * 37) + " " + app::Utf8NachAnsi(kOrte[ort]);
  if (zahlen() % 10 == 0) t += ", geb. Hansen";
  if (zahlen() % 10 == 0)
    t += ", " + std::to_string(1930 + zahlen() % 70) + "-0" + std::to_string(1 + zahlen() % 9) + "-1" +
         std::to_string(zahlen() % 10);
  return t;
}

}  // namespace davo::bench
