#include "letters/XmlAnsicht.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"

namespace davo::letters {

using namespace davo::app;

namespace {

constexpr std::size_t kNamenlaenge = 255;
constexpr std::size_t kBlock = std::size_t{1} << 20;
// Offsets are kept in 32 bits.
constexpr std::int64_t kGroessteDatei = std::numeric_limits<std::int32_t>::max();
// How much of a tag a message quotes.
constexpr std::size_t kTagInMeldung = 40;

std::string Zitat(std::string_view tag) {
  return tag.size() > kTagInMeldung ? std::string(tag.substr(0, kTagInMeldung)) + "..." : std::string(tag);
}

}  // namespace

XmlAnsicht::XmlAnsicht() : kinderAnfang_(1, 0) {}

void XmlAnsicht::Leeren(const std::string& wurzel) {
  wurzel_ = wurzel;
  bytes_.clear();
  bytes_.shrink_to_fit();
  knoten_.assign(1, Knoten{0, 0, 0, -1});
  vortext_ = 0;
  stoppAn_ = 0;
  abbruchmeldung_.clear();
  KinderOrdnen();
}

XmlAnsicht::Ergebnis XmlAnsicht::Importieren(const std::string& eingabe) {
  const std::string name = Kurz(eingabe, kNamenlaenge);
  abbruchmeldung_.clear();
  if (!DateiExistiert(name)) {
    ZeigeMeldung(" xml-Datei \"" + name + "\" nicht gefunden!");
    return Ergebnis::NichtGefunden;
  }
  Leeren(name);
  IODateiName = name;
  Datei datei;
  datei.Zuordnen(name);
  PruefeIO();
  datei.OeffnenLesen(1);
  PruefeIO();
  if (IOFehler) return Ergebnis::NichtGeoeffnet;

  const auto zuGross = [&] {
    Leeren(name);
    ZeigeMeldung("Die Datei " + name + " ist zu gro\xDF, um sie anzuzeigen.");
    return Ergebnis::ZuGross;
  };
  const std::int64_t laenge = datei.LaengeInBytes();
  if (laenge > kGroessteDatei) {
    datei.Schliessen();
    LiesIOErgebnis();
    return zuGross();
  }
  Ergebnis ergebnis = Ergebnis::Gelesen;
  try {
    bytes_.resize(static_cast<std::size_t>(laenge));
    std::size_t gelesen = 0;
    while (gelesen < bytes_.size()) {
      const std::size_t n = datei.LesenBlock(bytes_.data() + gelesen, std::min(kBlock, bytes_.size() - gelesen));
      PruefeIO();
      if (IOFehler) ergebnis = Ergebnis::Lesefehler;
      if (IOFehler || n == 0) break;
      gelesen += n;
    }
    bytes_.resize(gelesen);
  } catch (const std::bad_alloc&) {
    datei.Schliessen();
    LiesIOErgebnis();
    return zuGross();
  }
  datei.Schliessen();
  PruefeIO();

  try {
    const Ergebnis aufgebaut = Aufbauen();
    if (aufgebaut != Ergebnis::Gelesen) ergebnis = aufgebaut;
    KinderOrdnen();
  } catch (const std::bad_alloc&) {
    return zuGross();
  }
  if (ergebnis == Ergebnis::ZuTief || ergebnis == Ergebnis::ZuvielSchliessend) {
    // The tag runs to its ">" or, without one, up to the "<" read last.
    const std::size_t zu = bytes_.find('>', stoppAn_);
    const std::size_t ende = zu < bytes_.size() ? zu + 1 : bytes_.size() - 1;
    const std::string tag = Zitat(std::string_view(bytes_).substr(stoppAn_, ende - stoppAn_));
    const std::string wo = "Import abgebrochen bei Byte " + std::to_string(stoppAn_) + ": ";
    if (ergebnis == Ergebnis::ZuTief)
      abbruchmeldung_ = wo + "Das Tag " + tag + " l\xE4ge in Ebene " + std::to_string(MaxEbene + 1) + ", mehr als " +
                        std::to_string(MaxEbene) + " Ebenen zeigt der Baum nicht.";
    else
      abbruchmeldung_ = wo +
                        "Zum schlie\xDF"
                        "enden Tag " +
                        tag +
                        " ist keine Ebene mehr offen (mehr schlie\xDF"
                        "ende als \xF6"
                        "ffnende Tags).";
    abbruchmeldung_ = Kurz(abbruchmeldung_, kNamenlaenge);
  }
  return ergebnis;
}

XmlAnsicht::Ergebnis XmlAnsicht::Aufbauen() {
  std::array<std::int32_t, MaxEbene + 1> stapel{};
  int ebene = 0;
  bool innen = false;
  std::int64_t tagAnfang = -1;
  std::int64_t tagEnde = -1;  // behind the tag's ">"; -1 while none was read
  const std::size_t n = bytes_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = bytes_[i];
    if (c == '<') {
      innen = true;
      if (tagAnfang >= 0) {
        const auto s = static_cast<std::uint32_t>(tagAnfang);
        const auto g = static_cast<std::uint32_t>(tagEnde >= 0 ? tagEnde : static_cast<std::int64_t>(i));
        const bool schliessend = g - s >= 2 && bytes_[s + 1] == '/';
        if (!schliessend && ebene == MaxEbene) {
          stoppAn_ = s;
          bytes_.resize(i + 1);
          return Ergebnis::ZuTief;
        }
        if (schliessend && ebene == 0) {
          stoppAn_ = s;
          bytes_.resize(i + 1);
          return Ergebnis::ZuvielSchliessend;
        }
        if (!schliessend) ++ebene;
        knoten_.push_back(
            Knoten{s, g - s, static_cast<std::uint32_t>(i) - g, stapel[static_cast<std::size_t>(ebene - 1)]});
        stapel[static_cast<std::size_t>(ebene)] = static_cast<std::int32_t>(knoten_.size() - 1);
        if (schliessend) --ebene;
        tagAnfang = -1;
        tagEnde = -1;
      } else if (knoten_.size() == 1) {
        vortext_ = static_cast<std::uint32_t>(i);  // the first "<": what came before stays with the first node
      }
    }
    if (innen && tagAnfang < 0) tagAnfang = static_cast<std::int64_t>(i);
    if (c == '>') {
      innen = false;
      if (tagAnfang >= 0 && tagEnde < 0) tagEnde = static_cast<std::int64_t>(i) + 1;
    }
  }
  return Ergebnis::Gelesen;
}

void XmlAnsicht::KinderOrdnen() {
  const std::size_t anzahl = knoten_.size();
  kinderAnfang_.assign(anzahl + 1, 0);
  for (std::size_t k = 1; k < anzahl; ++k) ++kinderAnfang_[static_cast<std::size_t>(knoten_[k].eltern) + 1];
  for (std::size_t k = 0; k < anzahl; ++k) kinderAnfang_[k + 1] += kinderAnfang_[k];
  kinder_.assign(anzahl > 0 ? anzahl - 1 : 0, 0);
  std::vector<std::int32_t> frei(kinderAnfang_.begin(), kinderAnfang_.end() - 1);
  for (std::size_t k = 1; k < anzahl; ++k)
    kinder_[static_cast<std::size_t>(frei[static_cast<std::size_t>(knoten_[k].eltern)]++)] =
        static_cast<std::int32_t>(k);
}

std::int32_t XmlAnsicht::Kinderzahl(std::int32_t knoten) const {
  const auto k = static_cast<std::size_t>(knoten);
  return kinderAnfang_[k + 1] - kinderAnfang_[k];
}

std::int32_t XmlAnsicht::Kind(std::int32_t knoten, std::int32_t zeile) const {
  return kinder_[static_cast<std::size_t>(kinderAnfang_[static_cast<std::size_t>(knoten)] + zeile)];
}

std::int32_t XmlAnsicht::ZeileImEltern(std::int32_t knoten) const {
  const std::int32_t eltern = Eltern(knoten);
  if (eltern < 0) return 0;
  const auto anfang = kinder_.begin() + kinderAnfang_[static_cast<std::size_t>(eltern)];
  const auto ende = kinder_.begin() + kinderAnfang_[static_cast<std::size_t>(eltern) + 1];
  return static_cast<std::int32_t>(std::lower_bound(anfang, ende, knoten) - anfang);
}

std::string XmlAnsicht::Titel(std::int32_t knoten) const {
  std::string titel;
  TitelIn(knoten, titel);
  return titel;
}

void XmlAnsicht::TitelIn(std::int32_t knoten, std::string& titel) const {
  titel.clear();
  if (knoten == 0) {
    titel = wurzel_;
    return;
  }
  const Knoten& k = knoten_[static_cast<std::size_t>(knoten)];
  const std::string_view alle(bytes_);
  titel.append(alle.substr(k.anfang, k.tag));
  titel.append("  ");
  if (knoten == 1) titel.append(alle.substr(0, vortext_));
  titel.append(alle.substr(k.anfang + k.tag, k.text));
}

std::int32_t XmlAnsicht::Suchen(const std::vector<std::string>& texte, std::int32_t nach) const {
  std::vector<std::string> gesucht;
  for (const std::string& t : texte)
    if (!t.empty()) gesucht.push_back(Grossschrift(t));
  if (gesucht.empty()) return -1;
  const std::int32_t anzahl = Knotenzahl();
  const std::int32_t start = nach < 0 || nach >= anzahl ? -1 : nach;
  std::string titel;
  for (std::int32_t schritt = 1; schritt <= anzahl; ++schritt) {
    const std::int32_t k = (start + schritt) % anzahl;
    TitelIn(k, titel);
    for (char& c : titel) c = GrossBuchstabe(c);
    for (const std::string& g : gesucht)
      if (titel.find(g) != std::string::npos) return k;
  }
  return -1;
}

std::int64_t XmlAnsicht::Zeilenzahl() const {
  return (static_cast<std::int64_t>(bytes_.size()) + Zeilenbreite - 1) / Zeilenbreite;
}

std::string_view XmlAnsicht::Zeile(std::int64_t zeile) const {
  const auto anfang = static_cast<std::size_t>(Offset(zeile));
  if (anfang >= bytes_.size()) return std::string_view();
  return std::string_view(bytes_).substr(anfang, Zeilenbreite);
}

}  // namespace davo::letters
