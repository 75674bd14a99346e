#include "app/Reihenfolge.h"

#include <algorithm>
#include <cstring>

#include "app/Plattform.h"

namespace davo::app {

void Schluesselsatz::Reservieren(std::size_t zeilen, std::size_t bytesJeZeile) {
  eintraege_.reserve(zeilen);
  puffer_.reserve(zeilen * bytesJeZeile);
}

void Schluesselsatz::Hinzu(std::string_view schluessel, std::size_t index) {
  const std::size_t anfang = puffer_.size();
  puffer_.append(schluessel);
  Abschliessen(anfang, index);
}

void Schluesselsatz::HinzuSortiert(std::string_view ansi, std::size_t index) {
  const std::size_t anfang = puffer_.size();
  plattform::SortierschluesselAnhaengen(ansi, puffer_);
  Abschliessen(anfang, index);
}

void Schluesselsatz::Abschliessen(std::size_t anfang, std::size_t index) {
  Eintrag e;
  e.Anfang = anfang;
  e.Laenge = static_cast<std::uint32_t>(puffer_.size() - anfang);
  for (std::size_t i = 0; i < 8; ++i) {
    e.Kopf <<= 8;
    if (i < e.Laenge) e.Kopf |= static_cast<unsigned char>(puffer_[anfang + i]);
    e.Kopf2 <<= 8;
    if (i + 8 < e.Laenge) e.Kopf2 |= static_cast<unsigned char>(puffer_[anfang + i + 8]);
  }
  e.Index = static_cast<std::uint32_t>(index);
  eintraege_.push_back(e);
}

int Schluesselsatz::Vergleich(const Eintrag& a, const Eintrag& b) const {
  if (a.Kopf != b.Kopf) return a.Kopf < b.Kopf ? -1 : 1;
  if (a.Kopf2 != b.Kopf2) return a.Kopf2 < b.Kopf2 ? -1 : 1;
  const std::uint32_t gemeinsam = std::min(a.Laenge, b.Laenge);
  if (gemeinsam > 16) {
    const int c = std::memcmp(puffer_.data() + a.Anfang + 16, puffer_.data() + b.Anfang + 16, gemeinsam - 16);
    if (c != 0) return c;
  }
  return a.Laenge == b.Laenge ? 0 : (a.Laenge < b.Laenge ? -1 : 1);
}

const std::vector<Schluesselsatz::Eintrag>& Schluesselsatz::Sortiert() {
  std::sort(eintraege_.begin(), eintraege_.end(), [this](const Eintrag& a, const Eintrag& b) {
    const int c = Vergleich(a, b);
    return c != 0 ? c < 0 : a.Index < b.Index;
  });
  return eintraege_;
}

}  // namespace davo::app
