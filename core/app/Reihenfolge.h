#pragma once
// Orders for many rows: the key of every row computed once into one buffer
// and the rows sorted as small entries, not as the rows themselves, which are
// then moved once into their places.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Plattform.h"

namespace davo::app {

// The keys of many rows in one buffer. Each entry carries the first sixteen
// bytes of its key as two numbers, which decide most comparisons without a
// look into the buffer; then the rest of the key, its length and last the
// row's place, so the order is total and a sort keeps rows with equal keys in
// the order they were added.
class Schluesselsatz {
 public:
  struct Eintrag {
    std::uint64_t Kopf = 0;   // bytes 0 to 7, the first the highest, 0 past the end
    std::uint64_t Kopf2 = 0;  // bytes 8 to 15 alike
    std::size_t Anfang = 0;
    std::uint32_t Laenge = 0;
    std::uint32_t Index = 0;
  };

  void Reservieren(std::size_t zeilen, std::size_t bytesJeZeile);
  // The key is the text itself, compared byte by byte (unsigned).
  void Hinzu(std::string_view schluessel, std::size_t index);
  // The key is the collation key of a Windows-1252 text (the German order,
  // without regard to case). Where the order can be taken character by
  // character, the key holds only the first level (letters) and the text
  // itself decides between equal keys: it must then outlive the set.
  void HinzuSortiert(std::string_view ansi, std::size_t index);

  // <0, 0 or >0 as the key of a comes before, equals or follows that of b.
  int Vergleich(const Eintrag& a, const Eintrag& b) const;
  // The entries in the order of their keys, equal keys in the order added.
  const std::vector<Eintrag>& Sortiert();
  const std::vector<Eintrag>& Eintraege() const { return eintraege_; }

 private:
  void Abschliessen(std::size_t anfang, std::size_t index);
  // The comparison with the keys in basis (the set's buffer, or a sort's
  // scratch buffer in which each key follows where it came from).
  int VergleichIn(const char* basis, bool vorrat, const Eintrag& a, const Eintrag& b) const;
  // The accents of two texts whose keys begin at these places.
  int ZweiteStufe(std::size_t anfangA, std::size_t anfangB) const;

  std::string puffer_;
  std::vector<Eintrag> eintraege_;
  // The order character by character (looked up at the first sorted key),
  // and the texts of those keys by where their keys begin.
  const plattform::Zeichengewichte* gewichte_ = nullptr;
  std::vector<std::pair<std::size_t, std::string_view>> texte_;
};

// Moves the elements v[erster + i] to the places the order gives: afterwards
// v[erster + i] holds what was at v[reihenfolge[i].Index] (indices counted in
// v). Follows the cycles of the permutation, so no second copy of the rows
// is made.
template <class T>
void Umordnen(std::vector<T>& v, std::size_t erster, const std::vector<Schluesselsatz::Eintrag>& reihenfolge) {
  std::vector<bool> fertig(reihenfolge.size(), false);
  for (std::size_t start = 0; start < reihenfolge.size(); ++start) {
    if (fertig[start]) continue;
    T gemerkt = std::move(v[erster + start]);
    std::size_t i = start;
    for (;;) {
      fertig[i] = true;
      const std::size_t quelle = reihenfolge[i].Index - erster;
      if (quelle == start) {
        v[erster + i] = std::move(gemerkt);
        break;
      }
      v[erster + i] = std::move(v[erster + quelle]);
      i = quelle;
    }
  }
}

}  // namespace davo::app
