// Sorting many texts through their keys in one buffer gives the order of the
// platform's sort keys, however the buffer holds them.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/Plattform.h"
#include "app/Reihenfolge.h"

namespace davo::app {
namespace {

TEST(Reihenfolge, GleichDerOrdnungDerSortierschluessel) {
#ifndef _WIN32
  // Here the order is taken character by character; this test is what
  // shows that it is the same order.
  ASSERT_NE(plattform::DeutscheZeichengewichte(), nullptr);
#endif
  std::vector<std::string> texte;
  for (int a = 0; a < 256; ++a) {
    texte.emplace_back(1, static_cast<char>(a));
    for (int b = 0; b < 256; ++b) texte.push_back({static_cast<char>(a), static_cast<char>(b)});
  }
  // Longer texts of the characters that are not one letter each: pairs
  // counted as one (L with the middle dot), letters that count twice (ß, æ,
  // the fractions, the ellipsis), accents, case, ignored bytes, the blank.
  const std::string heikel =
      "Ll\xB7sS\xDF\xE4\xC4\x61\x41\xE6\xC6\x9C\x8C\xBC\xBD\x85\x99\xE9\x65\xAD\x01 09-'.,;\xA0\x9F\xFF";
  std::mt19937 zufall(14);
  for (int i = 0; i < 20000; ++i) {
    std::string t(zufall() % 25, ' ');
    for (char& c : t) c = heikel[zufall() % heikel.size()];
    texte.push_back(t);
  }

  Schluesselsatz satz;
  for (std::size_t i = 0; i < texte.size(); ++i) satz.HinzuSortiert(texte[i], i);
  const std::vector<Schluesselsatz::Eintrag>& ordnung = satz.Sortiert();
  ASSERT_EQ(ordnung.size(), texte.size());
  std::string vorher = plattform::Sortierschluessel(texte[ordnung[0].Index]);
  for (std::size_t k = 1; k < ordnung.size(); ++k) {
    const std::string jetzt = plattform::Sortierschluessel(texte[ordnung[k].Index]);
    SCOPED_TRACE(testing::PrintToString(texte[ordnung[k - 1].Index]) + " / " +
                 testing::PrintToString(texte[ordnung[k].Index]));
    ASSERT_LE(vorher, jetzt);
    ASSERT_EQ(satz.Vergleich(ordnung[k - 1], ordnung[k]) == 0, vorher == jetzt);
    if (vorher == jetzt) {
      ASSERT_LT(ordnung[k - 1].Index, ordnung[k].Index);
    }
    vorher = jetzt;
  }
}

}  // namespace
}  // namespace davo::app
