#include "app/Reihenfolge.h"

#include <algorithm>
#include <cstring>

#include "app/Grossspeicher.h"
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

namespace {

// The weights of the character (or pair) at i; i moves past it.
const plattform::Zeichengewichte::Gewichte& NaechsteGewichte(const plattform::Zeichengewichte& g, std::string_view text,
                                                             std::size_t& i) {
  const auto b = static_cast<unsigned char>(text[i]);
  if (g.BeginntPaar[b] && i + 1 < text.size()) {
    const auto zweites = static_cast<unsigned char>(text[i + 1]);
    for (const auto& paar : g.Paare) {
      if (paar.Erstes == b && paar.Zweites == zweites) {
        i += 2;
        return paar.G;
      }
    }
  }
  ++i;
  return g.Zeichen[b];
}

// The primary (erste) or secondary ranks of a text, one byte each.
void RaengeAnhaengen(const plattform::Zeichengewichte& g, std::string_view text, bool erste, std::string& ziel) {
  // At most three weights per character; written into a scratch buffer so
  // the caller's buffer grows only by what the key needs.
  static std::string vorrat;
  if (vorrat.size() < 3 * text.size()) vorrat.resize(3 * text.size());
  char* z = vorrat.data();
  for (std::size_t i = 0; i < text.size();) {
    if (erste) {
      if (const std::uint8_t rang = g.Einfach[static_cast<unsigned char>(text[i])]) {
        *z++ = static_cast<char>(rang);
        ++i;
        continue;
      }
    }
    const auto& w = NaechsteGewichte(g, text, i);
    const std::uint8_t* r = erste ? w.Primaer : w.Sekundaer;
    for (int k = 0; k < 4 && r[k] != 0; ++k) *z++ = static_cast<char>(r[k]);
  }
  ziel.append(vorrat.data(), static_cast<std::size_t>(z - vorrat.data()));
}

}  // namespace

void Schluesselsatz::HinzuSortiert(std::string_view ansi, std::size_t index) {
  if (!gewichte_) gewichte_ = plattform::DeutscheZeichengewichte();
  const std::size_t anfang = puffer_.size();
  if (gewichte_) {
    // The letters' ranks and an end mark below every rank, so a key that is
    // the beginning of another comes first and no two keys begin at one place.
    RaengeAnhaengen(*gewichte_, ansi, true, puffer_);
    puffer_.push_back('\x01');
    texte_.emplace_back(anfang, ansi);
  } else {
    plattform::SortierschluesselAnhaengen(ansi, puffer_);
  }
  Abschliessen(anfang, index);
}

int Schluesselsatz::ZweiteStufe(std::size_t anfangA, std::size_t anfangB) const {
  auto text = [this](std::size_t anfang) {
    const auto pos = std::lower_bound(texte_.begin(), texte_.end(), anfang,
                                      [](const auto& t, std::size_t a) { return t.first < a; });
    return pos != texte_.end() && pos->first == anfang ? pos->second : std::string_view();
  };
  std::string sa, sb;
  RaengeAnhaengen(*gewichte_, text(anfangA), false, sa);
  RaengeAnhaengen(*gewichte_, text(anfangB), false, sb);
  const int c = sa.compare(sb);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
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
  return VergleichIn(puffer_.data(), false, a, b);
}

namespace {
// In the scratch buffer of a sort, each key is preceded by where it begins
// in the set's own buffer.
std::size_t Herkunft(const char* vorrat, std::size_t anfang) {
  std::size_t herkunft = 0;
  std::memcpy(&herkunft, vorrat + anfang - sizeof herkunft, sizeof herkunft);
  return herkunft;
}
}  // namespace

int Schluesselsatz::VergleichIn(const char* basis, bool vorrat, const Eintrag& a, const Eintrag& b) const {
  if (a.Kopf != b.Kopf) return a.Kopf < b.Kopf ? -1 : 1;
  if (a.Kopf2 != b.Kopf2) return a.Kopf2 < b.Kopf2 ? -1 : 1;
  const std::uint32_t gemeinsam = std::min(a.Laenge, b.Laenge);
  if (gemeinsam > 16) {
    const int c = std::memcmp(basis + a.Anfang + 16, basis + b.Anfang + 16, gemeinsam - 16);
    if (c != 0) return c;
  }
  if (a.Laenge != b.Laenge) return a.Laenge < b.Laenge ? -1 : 1;
  // Equal letters: with keys of the first level only, the accents decide.
  if (texte_.empty()) return 0;
  return vorrat ? ZweiteStufe(Herkunft(basis, a.Anfang), Herkunft(basis, b.Anfang)) : ZweiteStufe(a.Anfang, b.Anfang);
}

const std::vector<Schluesselsatz::Eintrag>& Schluesselsatz::Sortiert() {
  // First by the sixteen bytes the entries carry, without a look into the
  // buffer. Then each group that shares them: its keys copied side by side
  // into a scratch buffer and sorted there, so the many comparisons of keys
  // with long equal beginnings stay within a small piece of memory. A very
  // large group is sorted where its keys are.
  std::sort(eintraege_.begin(), eintraege_.end(),
            [](const Eintrag& a, const Eintrag& b) { return a.Kopf != b.Kopf ? a.Kopf < b.Kopf : a.Kopf2 < b.Kopf2; });
  constexpr std::size_t kGrosseGruppe = std::size_t{1} << 16;
  std::string vorrat;
  const std::size_t n = eintraege_.size();
  for (std::size_t i = 0; i < n;) {
    std::size_t j = i + 1;
    while (j < n && eintraege_[j].Kopf == eintraege_[i].Kopf && eintraege_[j].Kopf2 == eintraege_[i].Kopf2) ++j;
    const auto von = eintraege_.begin() + static_cast<std::ptrdiff_t>(i);
    const auto bis = eintraege_.begin() + static_cast<std::ptrdiff_t>(j);
    if (j - i > kGrosseGruppe) {
      std::sort(von, bis, [this](const Eintrag& a, const Eintrag& b) {
        const int c = VergleichIn(puffer_.data(), false, a, b);
        return c != 0 ? c < 0 : a.Index < b.Index;
      });
    } else if (j - i > 1) {
      vorrat.clear();
      for (auto e = von; e != bis; ++e) {
        if (bis - e > 8) Vorholen(puffer_.data() + e[8].Anfang);
        const std::size_t herkunft = e->Anfang;
        vorrat.append(reinterpret_cast<const char*>(&herkunft), sizeof herkunft);
        e->Anfang = vorrat.size();
        vorrat.append(puffer_, herkunft, e->Laenge);
      }
      std::sort(von, bis, [this, &vorrat](const Eintrag& a, const Eintrag& b) {
        const int c = VergleichIn(vorrat.data(), true, a, b);
        return c != 0 ? c < 0 : a.Index < b.Index;
      });
      for (auto e = von; e != bis; ++e) e->Anfang = Herkunft(vorrat.data(), e->Anfang);
    }
    i = j;
  }
  return eintraege_;
}

}  // namespace davo::app
