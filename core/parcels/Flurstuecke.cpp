#include "parcels/Flurstuecke.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <limits>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "app/Umwandlung.h"

namespace davo::parcels {

using namespace davo::app;

const char* const Spaltentitel[Flurstuecktabelle::MaxSpalten] = {"",
                                                                 "Gemarkung",
                                                                 "Flur",
                                                                 "Flurst\xFC"
                                                                 "ck",
                                                                 "Bejagdbarkeit",
                                                                 "Fl\xE4"
                                                                 "che",
                                                                 "Anteil",
                                                                 "Anteilige Fl\xE4"
                                                                 "che",
                                                                 "Nachname",
                                                                 "Vorname",
                                                                 "Stra\xDF"
                                                                 "e",
                                                                 "Ort",
                                                                 "",
                                                                 "Geburtstag",
                                                                 "Geb.Name",
                                                                 "",
                                                                 "",
                                                                 "",
                                                                 "",
                                                                 ""};
const char* const ExportPfad = "e:\\Jagd\\Flurstuecke-export.csv";
const char* const FilterKataster = "CSV-Datei|*.CSV|TSV-Datei|*.TSV|alle Dateien|*.*";
const char* const BeispielKataster = "beispiele/Jagdkataster-Beispiel.csv";
std::size_t ImportStueckgroesse = 0;

namespace {

using Zellen = std::array<std::string_view, Flurstuecktabelle::MaxSpalten>;

constexpr std::size_t kMaxFelder = 46;  // fields 0 .. 45
constexpr int kMaxTeile = 41;           // parts 0 .. 40
constexpr std::size_t kBlock = 1 << 16;
constexpr std::size_t kLeseblock = std::size_t{1} << 20;
// The pieces the import reads side by side: small enough that the two
// threads end close together, large enough that each is worth its table.
constexpr std::size_t kStueck = 2 * kLeseblock;
// What is read beyond the size of a piece, to find the line where it ends.
constexpr std::size_t kNachlauf = std::size_t{1} << 16;
constexpr int kFortschrittAlle = 4096;
// No parcel is larger than a million square kilometres (in m² x 10000).
constexpr Currency kHoechsteParzelle = 1000000000000 * CurrencyEins;

// An optionally signed decimal integer, leading blanks allowed.
bool IstGanzzahl(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i >= t.size()) return false;
  std::size_t ziffern = 0;
  for (; i < t.size(); ++i, ++ziffern)
    if (t[i] < '0' || t[i] > '9') return false;
  return ziffern > 0 && ziffern <= 10;
}

// The first six characters of text without blanks read as a whole number
// (IstGanzzahl); a letter ends the look at once.
bool PostleitzahlFolgt(std::string_view rest) {
  const std::size_t n = std::min<std::size_t>(rest.size(), 6);
  std::size_t i = 0;
  while (i < n && rest[i] == ' ') ++i;
  if (i < n && (rest[i] == '+' || rest[i] == '-')) ++i;
  bool ziffer = false;
  for (; i < n; ++i) {
    if (rest[i] == ' ') continue;
    if (rest[i] < '0' || rest[i] > '9') return false;
    ziffer = true;
  }
  return ziffer;
}

// "ZJEN" stands somewhere in "Bejagdbarkeit".
bool Jagdbar(std::string_view bejagdbarkeit);
// The share "anteil" of the huntable area a ("?" gives 0).
Currency Anteilig(Currency a, std::string_view anteil);

// A part of an owner entry (the text between its commas) as the scan of the
// line found it.
struct Teil {
  std::uint32_t anfang = 0;  // in the line
  std::uint32_t ende = 0;
  std::int32_t strich = -1;  // where its first "-" stands, from anfang
  bool schraeg = false;      // it holds a "/"
  bool geb = false;          // it holds "geb."
  bool letzter = false;      // no comma follows it in the entry
};

// Owner entry (ending at eintragEnde in the line) into the row's cells,
// column cursor as the cadastre's layout asks; parts placed point into the
// line.
void EigentuemerZerlegen(std::string_view zeile, const Teil* teile, int anzahl, std::size_t eintragEnde,
                         Zellen& zellen) {
  int c = Anteil;
  for (int j = 3; j < anzahl; ++j) {
    const Teil& t = teile[j];
    // The part as two numbers rather than a view: a view written to memory in
    // two halves and read back whole stalls the processor.
    const char* const text = zeile.data() + t.anfang;
    std::size_t laenge = t.ende - t.anfang;
    if (laenge == 0) continue;
    if (j == 3 && !t.schraeg) c = Nachname;
    if (t.geb) {
      zellen[GebName] = std::string_view(text, laenge);
      laenge = 0;
    }
    if (laenge != 0 && t.strich == 5 && IstGanzzahl(std::string_view(text, laenge).substr(1, 4))) {
      zellen[Geburtstag] = std::string_view(text, laenge);
      laenge = 0;
    }
    if (!t.letzter && PostleitzahlFolgt(zeile.substr(t.ende + 1, eintragEnde - t.ende - 1))) c = Strasse;
    if (laenge != 0 && c < Flurstuecktabelle::MaxSpalten) zellen[c] = std::string_view(text, laenge);
    c = c == Anteil ? Nachname : c + 1;
  }
}

// 0x80 in each byte of x that is 0, else 0 (exact, no carries between bytes).
inline std::uint64_t Nullbytes(std::uint64_t x) {
  constexpr std::uint64_t k7F = 0x7F7F7F7F7F7F7F7Full;
  return ~(((x & k7F) + k7F) | x | k7F);
}

// Where the next ";" from i on stands in t, or npos; eight bytes at a time.
inline std::size_t NaechstesSemikolon(std::string_view t, std::size_t i) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= t.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, t.data() + i, 8);
      const std::uint64_t treffer = Nullbytes(w ^ 0x3B3B3B3B3B3B3B3Bull);
      if (treffer != 0) return i + static_cast<std::size_t>(std::countr_zero(treffer)) / 8;
    }
  }
  for (; i < t.size(); ++i)
    if (t[i] == ';') return i;
  return std::string_view::npos;
}

// The area in whole m², halves away from zero: MulDiv(a, 1, CurrencyEins,
// Rundung::HalbWegVonNull), for the usual values by a division by a constant.
inline std::int64_t GanzeQuadratmeter(Currency a) {
  if (a >= 0 && a <= std::numeric_limits<Currency>::max() - CurrencyEins / 2)
    return (a + CurrencyEins / 2) / CurrencyEins;
  return MulDiv(a, 1, CurrencyEins, Rundung::HalbWegVonNull);
}

// n right-aligned in 9 characters (wider numbers take the room they need),
// as Rechtsbuendig(n, 9) writes it, into puffer. The usual number, from 0
// to 999,999,999, is written from its end into blanks.
inline std::string_view Rechtsbuendig9(std::int64_t n, char (&puffer)[32]) {
  if (n >= 0 && n <= 999999999) {
    std::memcpy(puffer, "                ", 16);
    auto rest = static_cast<std::uint32_t>(n);
    char* p = puffer + 9;
    do {
      *--p = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    return std::string_view(puffer, 9);
  }
  char ziffern[24];
  const std::to_chars_result r = std::to_chars(ziffern, ziffern + sizeof ziffern, n);
  const auto laenge = static_cast<std::size_t>(r.ptr - ziffern);
  const std::size_t blanks = laenge < 9 ? 9 - laenge : 0;
  std::memset(puffer, ' ', blanks);
  std::memcpy(puffer + blanks, ziffern, laenge);
  return std::string_view(puffer, blanks + laenge);
}

#if !defined(__SSE2__)
// Per byte: 1 when the scan of a line must look at it.
constexpr std::array<std::uint8_t, 256> kBesonders = [] {
  std::array<std::uint8_t, 256> a{};
  for (const char c : {';', ',', '-', '/', '.'}) a[static_cast<unsigned char>(c)] = 1;
  return a;
}();
#endif

// Bit k set when byte basis + k (k < 64, before n) is one the scan of a line
// must look at: "," "-" "." "/" are 0x2C to 0x2F, ";" is 0x3B. Several
// bytes at a time, without a branch per byte.
inline std::uint64_t Besondere(const char* p, std::size_t basis, std::size_t n) {
  std::uint64_t maske = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time: the last bytes of the line are looked at in a
  // copy, with 0 (no such byte) behind them.
  alignas(16) char rest[64];
  const char* q = p + basis;
  if (n - basis < 64) {
    std::memset(rest, 0, sizeof rest);
    std::memcpy(rest, q, n - basis);
    q = rest;
  }
  const __m128i ohneUnten = _mm_set1_epi8(static_cast<char>(0xFC));
  const __m128i komma = _mm_set1_epi8(0x2C);
  const __m128i semikolon = _mm_set1_epi8(0x3B);
  for (int w = 0; w < 4; ++w) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 16 * w));
    const __m128i treffer =
        _mm_or_si128(_mm_cmpeq_epi8(_mm_and_si128(v, ohneUnten), komma), _mm_cmpeq_epi8(v, semikolon));
    maske |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(treffer))} << (16 * w);
  }
#else
  if constexpr (std::endian::native == std::endian::little) {
    for (std::size_t w = 0; w < 8 && basis + 8 * w < n; ++w) {
      const std::size_t i = basis + 8 * w;
      std::uint64_t wort = 0;  // bytes behind the line stay 0, which is no such byte
      if (i + 8 <= n)
        std::memcpy(&wort, p + i, 8);  // one load
      else
        std::memcpy(&wort, p + i, n - i);
      const std::uint64_t treffer =
          Nullbytes((wort & 0xFCFCFCFCFCFCFCFCull) ^ 0x2C2C2C2C2C2C2C2Cull) | Nullbytes(wort ^ 0x3B3B3B3B3B3B3B3Bull);
      maske |= ((treffer * 0x0002040810204081ull) >> 56) << (8 * w);  // the top bits of the bytes
    }
  } else {
    for (std::size_t k = 0; k < 64 && basis + k < n; ++k)
      if (kBesonders[static_cast<unsigned char>(p[basis + k])] != 0) maske |= std::uint64_t{1} << k;
  }
#endif
  return maske;
}

constexpr std::size_t kTextblock = std::size_t{1} << 20;
// The most text a row holds; the cells behind are cut.
constexpr std::size_t kZeilenlaenge = 0xFFFF;

// memcpy for the short texts of cells: up to 16 bytes by two moves of fixed
// size that may overlap (reading and writing only the n bytes).
inline void KurzKopieren(char* ziel, const char* quelle, std::size_t n) {
  if (n >= 8 && n <= 16) {
    std::uint64_t a, b;
    std::memcpy(&a, quelle, 8);
    std::memcpy(&b, quelle + n - 8, 8);
    std::memcpy(ziel, &a, 8);
    std::memcpy(ziel + n - 8, &b, 8);
  } else if (n >= 4 && n < 8) {
    std::uint32_t a, b;
    std::memcpy(&a, quelle, 4);
    std::memcpy(&b, quelle + n - 4, 4);
    std::memcpy(ziel, &a, 4);
    std::memcpy(ziel + n - 4, &b, 4);
  } else if (n > 16) {
    std::memcpy(ziel, quelle, n);
  } else {
    for (std::size_t i = 0; i < n; ++i) ziel[i] = quelle[i];
  }
}

}  // namespace

// --- Flurstuecktabelle -------------------------------------------------------------

Flurstuecktabelle::Flurstuecktabelle() : zeilen_(5) {}

void Flurstuecktabelle::SetzeZeilenzahl(int n) {
  const auto neu = static_cast<std::size_t>(std::max(n, 1));
  for (std::size_t r = neu; r < zeilen_.size(); ++r) lebend_ -= Belegt(zeilen_[r]);
  zeilen_.resize(neu);
  Verdichten();
}

Flurstuecktabelle::Block::Block(const Block& b)
    : text(app::GrossePuffer(b.belegt)), belegt(b.belegt), groesse(b.belegt) {
  if (belegt > 0) std::memcpy(text.get(), b.text.get(), belegt);
}

Flurstuecktabelle::Block& Flurstuecktabelle::Block::operator=(const Block& b) {
  if (this != &b) *this = Block(b);
  return *this;
}

void Flurstuecktabelle::NeuerBlock(std::size_t groesse) {
  // The blocks before keep their text where it is, so the cells may point
  // into them.
  Block b;
  // The room reserved for a known amount of text, else a block of the usual size.
  b.groesse = std::max(naechster_ > 0 ? naechster_ : kTextblock, groesse);
  b.text = app::GrossePuffer(b.groesse);
  naechster_ = 0;
  bloecke_.push_back(std::move(b));
}

void Flurstuecktabelle::Reservieren(std::size_t zeilen, std::size_t text) {
  zeilen_.reserve(zeilen);
  naechster_ = std::min<std::size_t>(text, 64 * kTextblock);  // no more at once in a 32-bit process
}

void Flurstuecktabelle::Ablegen(Zeile& z, const Zellen& zellen) {
  std::size_t laenge = 0;
  for (const auto& t : zellen) laenge += t.size();
  if (laenge > kZeilenlaenge) {
    Zellen gekuerzt;
    std::size_t rest = kZeilenlaenge;
    for (std::size_t i = 0; i < MaxSpalten; ++i) {
      gekuerzt[i] = zellen[i].substr(0, rest);
      rest -= gekuerzt[i].size();
    }
    Ablegen(z, gekuerzt);
    return;
  }
  lebend_ -= Belegt(z);
  const bool lang = laenge > 0xFF;
  const std::size_t platz = laenge + (lang ? kKopf : 0);
  if (laenge > 0 && (bloecke_.empty() || bloecke_.back().groesse - bloecke_.back().belegt < platz)) NeuerBlock(platz);
  if (laenge == 0) {
    z = Zeile();
  } else {
    // Into the row itself: a row built aside and copied whole would be read
    // back before its many small writes are done, which stalls the processor.
    Block& block = bloecke_.back();
    z.block = static_cast<std::uint32_t>(bloecke_.size() - 1);
    z.anfang = static_cast<std::uint32_t>(block.belegt);
    char* ziel = block.text.get() + block.belegt;
    // The cells one after the other from text, and the end of each into ende.
    const auto kopieren = [&zellen](char* text, auto& ende) {
      std::size_t n = 0;
      for (std::size_t i = 0; i < MaxSpalten; ++i) {
        const std::size_t k = zellen[i].size();
        if (k != 0) KurzKopieren(text + n, zellen[i].data(), k);
        n += k;
        ende[i] = static_cast<std::remove_reference_t<decltype(ende[i])>>(n);
      }
    };
    if (!lang) {
      kopieren(ziel, z.ende);
    } else {
      std::array<std::uint16_t, MaxSpalten> ende{};
      kopieren(ziel + kKopf, ende);
      std::memcpy(ziel, ende.data(), kKopf);
      z.anfang |= kLang;
      z.ende = {};
    }
    block.belegt += platz;
    lebend_ += platz;
    belegt_ += platz;
  }
}

Flurstuecktabelle::Lage Flurstuecktabelle::LageIn(const std::vector<Block>& bloecke, const Zeile& z) {
  Lage l;
  if (!HatText(z)) return l;
  if (z.anfang < kLang) {
    l.text = bloecke[z.block].text.get() + z.anfang;
    for (std::size_t i = 0; i < MaxSpalten; ++i) l.ende[i] = z.ende[i];
  } else {
    const char* kopf = bloecke[z.block].text.get() + (z.anfang - kLang);
    std::memcpy(l.ende.data(), kopf, kKopf);
    l.text = kopf + kKopf;
  }
  return l;
}

void Flurstuecktabelle::Verdichten() {
  if (belegt_ <= 2 * lebend_ + kTextblock) return;
  std::vector<Block> alt;
  alt.swap(bloecke_);
  belegt_ = 0;
  lebend_ = 0;
  for (Zeile& z : zeilen_) {
    const Lage l = LageIn(alt, z);
    Zellen zellen;
    for (int i = 0; i < MaxSpalten; ++i) zellen[static_cast<std::size_t>(i)] = l.Bereich(i, i);
    z = Zeile();
    Ablegen(z, zellen);
  }
}

void Flurstuecktabelle::SetzeZelle(int spalte, int zeile, std::string_view text) {
  if (zeile < 0 || zeile >= Zeilenzahl() || spalte < 0 || spalte >= MaxSpalten) return;
  Zellen zellen;
  for (int i = 0; i < MaxSpalten; ++i) zellen[static_cast<std::size_t>(i)] = Zelle(i, zeile);
  const std::string kopie(text);  // text may point into this table
  zellen[static_cast<std::size_t>(spalte)] = kopie;
  Ablegen(zeilen_[static_cast<std::size_t>(zeile)], zellen);
  Verdichten();
}

void Flurstuecktabelle::SetzeZeile(int zeile, const Zellen& zellen) {
  if (zeile < 0 || zeile >= Zeilenzahl()) return;
  Ablegen(zeilen_[static_cast<std::size_t>(zeile)], zellen);
  Verdichten();
}

void Flurstuecktabelle::ZeileAnhaengen(const Zellen& zellen) {
  zeilen_.emplace_back();
  Ablegen(zeilen_.back(), zellen);
}

void Flurstuecktabelle::Anhaengen(Flurstuecktabelle&& teil) {
  const auto versatz = static_cast<std::uint32_t>(bloecke_.size());
  for (std::size_t r = 1; r < teil.zeilen_.size(); ++r) {
    Zeile z = teil.zeilen_[r];
    if (HatText(z)) z.block += versatz;
    zeilen_.push_back(z);
  }
  for (Block& b : teil.bloecke_) bloecke_.push_back(std::move(b));
  lebend_ += teil.lebend_ - teil.Belegt(teil.zeilen_[0]);
  belegt_ += teil.belegt_;
  teil.zeilen_.resize(1);
  teil.zeilen_[0] = Zeile();
  teil.bloecke_.clear();
  teil.lebend_ = teil.belegt_ = teil.naechster_ = 0;
}

std::size_t Flurstuecktabelle::Textgroesse() const { return lebend_; }

void Flurstuecktabelle::Vorladen(int von, int bis) const {
  unsigned summe = 0;
  for (int r = std::max(von, 0); r < std::min(bis, Zeilenzahl()); ++r) {
    const Zeile& z = zeilen_[static_cast<std::size_t>(r)];
    if (!HatText(z)) continue;
    const std::size_t laenge = Belegt(z);
    const char* text = bloecke_[z.block].text.get() + (z.anfang & ~kLang);
    summe +=
        static_cast<unsigned char>(text[0]) + static_cast<unsigned char>(text[std::min<std::size_t>(laenge, 64) - 1]);
  }
  vorgeladen_ += summe;
}

// --- import ------------------------------------------------------------------------

namespace {

// The first line of a file that is no parcel list, as the check found it.
struct Zeilenfehler {
  enum class Art { Keiner, Nullzeichen, Felder, Flaeche } art = Art::Keiner;
  std::int64_t zeile = 0;        // in its piece, from 1
  std::size_t felder = 0;        // Felder: how many the line has
  std::string flaeche;           // Flaeche: the field as the file holds it
  std::optional<Currency> wert;  // Flaeche: as read
  bool utf8 = true;              // the piece's lines up to this one are UTF-8
};

// "Fläche" must be empty or a number as the share computation reads it, not
// negative and not beyond the largest parcel. False (with f filled) when it
// is not; else its value (0 for an empty one).
bool FlaecheGilt(std::string_view flaeche, Zeilenfehler& f, Currency& wert) {
  const std::optional<Currency> w = TextNachCurrency(flaeche, true);
  if ((!w || *w < 0 || *w > kHoechsteParzelle) && !OhneLeerzeichen(flaeche).empty()) {
    f.art = Zeilenfehler::Art::Flaeche;
    f.flaeche = flaeche;
    f.wert = w;
    return false;
  }
  wert = w.value_or(0);
  return true;
}

// Builds the rows while the file is read. Each row is stored when it is
// complete, filled down from the row above; when it has no "Gemarkung" and
// the row above no share, that row is stored again with "?" as its share.
class Importeur {
 public:
  // mitKopf: the first line is the header (the file's first piece);
  // fehler receives what the check of a line found.
  Importeur(Flurstuecktabelle& t, bool mitKopf, Zeilenfehler& fehler)
      : tabelle_(t), fehler_(fehler), n_(mitKopf ? 0 : 1) {}

  // Checks a line of the file and builds its rows. Every data line that is
  // not empty must be a parcel: at least six fields up to "Fläche", which
  // FlaecheGilt; no line may hold a NUL byte (nul: the piece has one, so the
  // line is looked at for it). geprueft: the line was checked before it was
  // converted from UTF-8 (ZeilePruefen), and its "Fläche" remembered; the
  // converted text lasts only until the next line. False (with the error
  // filled in, and no row of the line stored) when the line fails.
  bool Zeile(std::string_view zeile, bool nul, bool geprueft) {
    umgewandelt_ = geprueft;
    if (!geprueft && nul && zeile.find('\0') != std::string_view::npos) {
      fehler_.art = Zeilenfehler::Art::Nullzeichen;
      return false;
    }
    // An empty line is no parcel (line 1 is the header whatever it holds).
    if (n_ >= 1 && zeile.empty()) return true;
    ++n_;
    if (n_ == 1) return true;  // header
    titel_ = true;
    ++flurstuecke_;
    NeueZeile();
    // One pass over the line: ";" ends a field (the first kMaxFelder
    // count), "," a part of an owner entry (the first kMaxTeile count).
    const char* const p = zeile.data();
    const std::size_t laenge = zeile.size();
    std::size_t f = 0;
    std::size_t feldAnfang = 0;
    int j = 0;  // the part being scanned
    teile_[0] = Teil();
    bool gescheitert = false;
    // The field ending at i; true when it is the last one that counts.
    const auto feldEnde = [&](std::size_t i) {
      if (f == Flaeche && !geprueft) {
        const std::string_view flaeche = zeile.substr(feldAnfang, i - feldAnfang);
        Currency wert = 0;
        if (!FlaecheGilt(flaeche, fehler_, wert)) return gescheitert = true;
        Merken(flaeche, wert);
      }
      if (j < kMaxTeile) {
        teile_[j].ende = static_cast<std::uint32_t>(i);
        teile_[j].letzter = true;
      }
      Feld(zeile, f, feldAnfang, i, std::min(j + 1, kMaxTeile));
      if (i == laenge || ++f == kMaxFelder) return true;
      feldAnfang = i + 1;
      j = 0;
      teile_[0] = Teil();
      teile_[0].anfang = static_cast<std::uint32_t>(i + 1);
      return false;
    };
    bool fertig = false;
    for (std::size_t basis = 0; basis < laenge && !fertig; basis += 64) {
      for (std::uint64_t maske = Besondere(p, basis, laenge); maske != 0; maske &= maske - 1) {
        const std::size_t i = basis + static_cast<std::size_t>(std::countr_zero(maske));
        if (p[i] == ';') {
          if ((fertig = feldEnde(i))) break;
          continue;
        }
        if (f < 6 || j >= kMaxTeile) continue;
        Teil& t = teile_[j];
        switch (p[i]) {
          case ',':
            t.ende = static_cast<std::uint32_t>(i);
            if (++j < kMaxTeile) {
              teile_[j] = Teil();
              teile_[j].anfang = static_cast<std::uint32_t>(i + 1);
            }
            break;
          case '-':
            if (t.strich < 0) t.strich = static_cast<std::int32_t>(i - t.anfang);
            break;
          case '/':
            t.schraeg = true;
            break;
          default:  // "."
            if (i >= t.anfang + 3 && p[i - 3] == 'g' && p[i - 2] == 'e' && p[i - 1] == 'b') t.geb = true;
            break;
        }
      }
    }
    if (!fertig) feldEnde(laenge);
    if (gescheitert) return false;
    if (f < Flaeche && !geprueft) {
      fehler_.art = Zeilenfehler::Art::Felder;
      fehler_.felder = f + 1;
      return false;
    }
    Abschliessen();
    return true;
  }

  // That the text of "Fläche" has this value (as the check of a line read it).
  void Merken(std::string_view text, Currency wert) {
    if (text.size() > sizeof flaecheText_) return;
    if (!text.empty()) std::memcpy(flaecheText_, text.data(), text.size());
    flaecheLaenge_ = text.size();
    flaecheWert_ = wert;
  }

  // Whether a data row was read.
  bool Daten() const { return titel_; }
  int Flurstuecke() const { return flurstuecke_; }
  int Eigentuemer() const { return eigentuemer_; }

 private:
  // Field f of the line, from anfang to ende, with the parts found in it
  // (in teile_) when it is an owner entry.
  void Feld(std::string_view zeile, std::size_t f, std::size_t anfang, std::size_t ende, int teile) {
    if (f >= 1 && f <= 5) {
      zellen_[f] = zeile.substr(anfang, ende - anfang);
    } else if (f >= 6 && ende > anfang) {
      ++eigentuemer_;
      if (f > 6) {
        Abschliessen();
        ++n_;
        NeueZeile();
      }
      EigentuemerZerlegen(zeile, teile_.data(), teile, ende, zellen_);
    }
  }

  void NeueZeile() {
    zeile_ = n_ - 1;
    // Cell by cell: as one block of 320 bytes the compiler clears it with a
    // string instruction that is slow to start.
    for (std::size_t c = 0; c < Flurstuecktabelle::MaxSpalten; c += 4) {
      zellen_[c] = {};
      zellen_[c + 1] = {};
      zellen_[c + 2] = {};
      zellen_[c + 3] = {};
    }
  }

  void Abschliessen() {
    if (oben_ >= 1) {
      // Cell c of the row above, as the table holds it.
      const auto oben = [this](int c) {
        return obenGilt_ ? obenZellen_[static_cast<std::size_t>(c)] : tabelle_.Zelle(c, oben_);
      };
      int m = Flaeche;
      if (oben(Anteil).empty() && zellen_[Gemarkung].empty()) {
        Zellen z;
        for (int c = 0; c < Flurstuecktabelle::MaxSpalten; ++c)
          z[static_cast<std::size_t>(c)] = tabelle_.Zelle(c, oben_);
        z[Anteil] = "?";
        Speichern(oben_, z);
        m = Anteil;
      }
      for (int c = 1; c <= m; ++c)
        if (zellen_[static_cast<std::size_t>(c)].empty()) zellen_[static_cast<std::size_t>(c)] = oben(c);
    }
    Speichern(zeile_, zellen_);
    oben_ = zeile_;
    // The cells that the next row may take from this one, as they were given
    // rather than read back from the table: where they point stays as it is
    // while the piece is read (its text, the table, a literal), unless the
    // line was converted; and they are stored whole unless the row is cut.
    std::size_t laenge = 0;
    for (std::size_t c = 0; c < obenZellen_.size(); ++c) laenge += zellen_[c].size();
    obenGilt_ = !umgewandelt_ && laenge <= kZeilenlaenge;
    if (obenGilt_) std::copy_n(zellen_.begin(), obenZellen_.size(), obenZellen_.begin());
  }

  // The row with its share; the cells may point into the table.
  void Speichern(int zeile, Zellen& z) {
    bool bleibt = true;  // the table's text stays where it is
    if (tabelle_.Zeilenzahl() < zeile) {
      tabelle_.SetzeZeilenzahl(zeile);
      bleibt = false;
    }
    const Currency a = Anteilig(JagdbareFlaeche(z[Bejagdbarkeit], z[Flaeche]), z[Anteil]);
    char puffer[32];
    const std::string_view qm = Rechtsbuendig9(GanzeQuadratmeter(a), puffer);
    z[AnteiligeFlaeche] = qm;
    if (tabelle_.Zeilenzahl() == zeile) {
      tabelle_.ZeileAnhaengen(z);
    } else {
      tabelle_.SetzeZeile(zeile, z);
      bleibt = false;
    }
    // Only a new last row leaves the text of the rows before in place; after
    // any other change what is remembered of them is forgotten.
    if (!bleibt) obenGilt_ = jagdbarGilt_ = false;
  }

  // "Fläche" as a number where "Bejagdbarkeit" says huntable, else 0. The
  // rows of an owner entry, and rows filled down, mostly have the very
  // cells of the row before (the same text in the same place, which stays
  // as it is unless the line was converted or the table's text moved),
  // which are then not read again.
  Currency JagdbareFlaeche(std::string_view bejagdbarkeit, std::string_view flaeche) {
    if (jagdbarGilt_ && !umgewandelt_ && bejagdbarkeit.data() == jagdbarText_[0].data() &&
        bejagdbarkeit.size() == jagdbarText_[0].size() && flaeche.data() == jagdbarText_[1].data() &&
        flaeche.size() == jagdbarText_[1].size())
      return jagdbareFlaeche_;
    jagdbareFlaeche_ = Jagdbar(bejagdbarkeit) ? FlaecheLesen(flaeche) : 0;
    jagdbarText_ = {bejagdbarkeit, flaeche};
    jagdbarGilt_ = !umgewandelt_;
    return jagdbareFlaeche_;
  }

  // "Fläche" as a number; mostly the text of the row before, which is then
  // not read again.
  Currency FlaecheLesen(std::string_view text) {
    if (text.size() == flaecheLaenge_ && (text.empty() || std::memcmp(text.data(), flaecheText_, text.size()) == 0))
      return flaecheWert_;
    const Currency wert = TextNachCurrency(text, true).value_or(0);
    Merken(text, wert);
    return wert;
  }

  std::array<std::string_view, 2> jagdbarText_{};  // what JagdbareFlaeche read last
  Currency jagdbareFlaeche_ = 0;
  bool jagdbarGilt_ = false;
  char flaecheText_[32] = {};
  std::size_t flaecheLaenge_ = sizeof flaecheText_ + 1;  // none yet
  Currency flaecheWert_ = 0;
  Flurstuecktabelle& tabelle_;
  Zeilenfehler& fehler_;
  int n_ = 0;
  int flurstuecke_ = 0;
  int eigentuemer_ = 0;
  int zeile_ = 0;
  int oben_ = 0;                                           // the row stored last (0: none)
  std::array<std::string_view, Anteil + 1> obenZellen_{};  // its first cells, when obenGilt_
  bool obenGilt_ = false;
  bool umgewandelt_ = false;  // the line being read was converted (its text lasts until the next)
  bool titel_ = false;
  Zellen zellen_{};
  std::array<Teil, kMaxTeile> teile_{};
};

void Auffuellen(Flurstuecktabelle& t) {
  for (int r = 2; r < t.Zeilenzahl(); ++r) {
    int m = Flaeche;
    if (t.Zelle(Anteil, r - 1).empty() && t.Zelle(Gemarkung, r).empty()) {
      t.SetzeZelle(Anteil, r - 1, "?");
      m = Anteil;
    }
    for (int c = 1; c <= m; ++c)
      if (t.Zelle(c, r).empty()) t.SetzeZelle(c, r, t.Zelle(c, r - 1));
  }
}

}  // namespace

namespace {

const char* const kKeineListe =
    "Die Datei ist keine Flurst\xFC"
    "cksliste: ";
const char* const kTabelleBleibt = " Die Tabelle bleibt unver\xE4ndert.";
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The first line of a piece of the file: fields 1 to 5 filled, so that its
// rows take nothing from the rows above and give nothing to them.
bool Eigenstaendig(std::string_view zeile) {
  std::size_t anfang = NaechstesSemikolon(zeile, 0);
  for (int feld = 1; feld <= 5; ++feld) {
    if (anfang == std::string_view::npos) return false;
    ++anfang;
    const std::size_t ende = NaechstesSemikolon(zeile, anfang);
    if ((ende == std::string_view::npos ? zeile.size() : ende) == anfang) return false;
    anfang = ende;
  }
  return true;
}

// The check of Importeur::Zeile on its own, for a line that is converted from
// UTF-8 after it: every data line that is not empty must be a parcel (at
// least six fields up to "Fläche", which FlaecheGilt), and no line may hold a
// NUL byte (nul: the piece has one). False (with f filled) when the line
// fails; a data line that passes gives its "Fläche" and the number read.
bool ZeilePruefen(std::string_view zeile, bool kopf, bool nul, Zeilenfehler& f, std::string_view& flaecheText,
                  Currency& flaecheWert) {
  if (nul && zeile.find('\0') != std::string_view::npos) {
    f.art = Zeilenfehler::Art::Nullzeichen;
    return false;
  }
  if (kopf || zeile.empty()) return true;
  std::size_t feld = 0;
  std::size_t anfang = 0;
  for (; feld < 5; ++feld) {
    const std::size_t trenner = NaechstesSemikolon(zeile, anfang);
    if (trenner == std::string_view::npos) break;
    anfang = trenner + 1;
  }
  if (feld < 5) {
    f.art = Zeilenfehler::Art::Felder;
    f.felder = feld + 1;
    return false;
  }
  const std::string_view flaeche = zeile.substr(anfang, NaechstesSemikolon(zeile, anfang) - anfang);
  if (!FlaecheGilt(flaeche, f, flaecheWert)) return false;
  flaecheText = flaeche;
  return true;
}

// The message for the failed line n. utf8: the file is UTF-8 up to it.
std::string FehlerText(const Zeilenfehler& f, std::int64_t n, bool bom, bool utf8) {
  const std::string zeile = std::to_string(n);
  switch (f.art) {
    case Zeilenfehler::Art::Nullzeichen:
      return "Zeile " + zeile + " enth\xE4lt ein Nullzeichen (keine Textdatei).";
    case Zeilenfehler::Art::Felder:
      return "Zeile " + zeile + " hat " + std::to_string(f.felder) + (f.felder == 1 ? " Feld" : " Felder") +
             ", eine Flurst\xFC"
             "ckszeile mindestens 6 (bis \x84"
             "Fl\xE4"
             "che\x93).";
    default: {
      // The text as the user sees it in the file.
      bool lang = false;
      const bool zitatUtf8 = (bom || utf8) && IstUtf8(f.flaeche, &lang) && (bom || lang);
      const std::string zitat = zitatUtf8 ? Utf8NachAnsi(f.flaeche) : f.flaeche;
      return "In Zeile " + zeile +
             " ist die \x84"
             "Fl\xE4"
             "che\x93 \x84" +
             Kurz(zitat, 30) + "\x93 " +
             (!f.wert       ? "keine Zahl."
              : *f.wert < 0 ? "negativ."
                            : "zu gro\xDF (h\xF6"
                              "chstens 1.000.000.000.000 m\xB2).");
    }
  }
}

using Puffertext = std::unique_ptr<char[], app::GrossFreigabe>;

// A piece of the file: whole lines, from the file's start or from a line
// that stands on its own (Eigenstaendig), read into a table of its own.
struct Stueck {
  Puffertext text;  // given back once read
  std::size_t kapazitaet = 0;
  std::size_t laenge = 0;
  std::size_t nummer = 0;  // 0: the first, with the header line
  bool fertig = false;     // read (or given up); guarded by the queue's lock
  bool vollstaendig = false;
  Flurstuecktabelle tabelle;
  std::int64_t zeilen = 0;  // lines, the empty ones too
  int flurstuecke = 0;
  int eigentuemer = 0;
  bool daten = false;
  bool utf8 = true;  // well-formed UTF-8 throughout (Zeichensatz::Erkennen)
  bool mehrbyte = false;
  bool umgewandelt = false;  // its lines were converted from UTF-8
  std::size_t ersetzt = 0;
  Zeilenfehler fehler;
};

// How the lines of the pieces are taken.
enum class Zeichensatz {
  Erkennen,  // converted from UTF-8 where the piece is UTF-8 with characters of several bytes
  Utf8,      // converted from UTF-8
  Ansi,      // as they are
};

// When the pieces still to be read are no longer needed.
struct Halt {
  std::atomic<bool> alle{false};                                                   // a stop, a read error
  std::atomic<std::size_t> ersterFehler{std::numeric_limits<std::size_t>::max()};  // the pieces behind it
  bool Gilt(std::size_t nummer) const { return alle.load(std::memory_order_relaxed) || nummer > ersterFehler.load(); }
  void Fehler(std::size_t nummer) {
    std::size_t bisher = ersterFehler.load();
    while (nummer < bisher && !ersterFehler.compare_exchange_weak(bisher, nummer)) {
    }
  }
};

// Checks and reads the lines of a piece, converting them from UTF-8 to
// Windows-1252 as zeichensatz says. A piece of plain ASCII reads the same
// either way. Stops at the first line that fails the check. keinUtf8: a
// piece was found not to be UTF-8, so the file is none, and the pieces read
// after it are taken as they stand without a look.
void StueckEinlesen(Stueck& s, Zeichensatz zeichensatz, Halt& halt, std::atomic<bool>& keinUtf8) {
  s.tabelle.SetzeZeilenzahl(1);
  s.tabelle.Reservieren(s.laenge / 64 + 16, s.laenge + s.laenge / 4);
  Importeur importeur(s.tabelle, s.nummer == 0, s.fehler);
  const char* const p = s.text.get();
  if (zeichensatz == Zeichensatz::Erkennen) {
    s.utf8 = !keinUtf8.load(std::memory_order_relaxed) && IstUtf8(std::string_view(p, s.laenge), &s.mehrbyte);
    if (!s.utf8) keinUtf8.store(true, std::memory_order_relaxed);
  }
  const bool umwandeln =
      zeichensatz == Zeichensatz::Utf8 || (zeichensatz == Zeichensatz::Erkennen && s.utf8 && s.mehrbyte);
  s.umgewandelt = umwandeln;
  // One look over the whole piece for a NUL byte rather than one per line.
  const bool nul = std::memchr(p, '\0', s.laenge) != nullptr;
  std::string ansi;
  for (std::size_t anfang = 0; anfang < s.laenge;) {
    if ((s.zeilen & 1023) == 0 && halt.Gilt(s.nummer)) return;
    const void* lf = std::memchr(p + anfang, '\n', s.laenge - anfang);
    const std::size_t ende = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : s.laenge;
    std::string_view zeile(p + anfang, (ende > anfang && p[ende - 1] == '\r' ? ende - 1 : ende) - anfang);
    anfang = ende + 1;
    ++s.zeilen;
    const bool kopf = s.nummer == 0 && s.zeilen == 1;
    if (kopf && zeile.starts_with(kBom)) zeile.remove_prefix(kBom.size());
    bool gilt = true;
    if (umwandeln) {
      // The check reads the line as the file holds it.
      std::string_view flaeche;
      Currency wert = 0;
      gilt = ZeilePruefen(zeile, kopf, nul, s.fehler, flaeche, wert);
      if (gilt) {
        if (flaeche.data() != nullptr) importeur.Merken(flaeche, wert);
        ansi = Utf8NachAnsiGezaehlt(zeile, s.ersetzt);
        importeur.Zeile(ansi, false, true);
      }
    } else {
      gilt = importeur.Zeile(zeile, nul, false);
    }
    if (!gilt) {
      s.fehler.zeile = s.zeilen;
      s.fehler.utf8 = IstUtf8(std::string_view(p, ende));
      halt.Fehler(s.nummer);
      return;
    }
  }
  s.flurstuecke = importeur.Flurstuecke();
  s.eigentuemer = importeur.Eigentuemer();
  s.daten = importeur.Daten();
  s.vollstaendig = true;
}

// The pieces waiting to be read and a second thread that reads them beside
// the one that reads the file; that one helps when they pile up.
class Verteilung {
 public:
  // ueblich: the size of the buffers of the pieces, which are used again.
  Verteilung(Halt& halt, std::size_t ueblich) : halt_(halt), ueblich_(ueblich) {}
  Verteilung(const Verteilung&) = delete;
  Verteilung& operator=(const Verteilung&) = delete;
  ~Verteilung() {
    halt_.alle = true;
    Beenden();
  }

  void SetzeZeichensatz(Zeichensatz z) { zeichensatz_ = z; }
  // A buffer of n bytes for the text of a piece; one of the usual size is
  // used again when there is one, so its memory is not new.
  Puffertext Puffer(std::size_t n) {
    {
      const std::lock_guard<std::mutex> sperre(mutex_);
      if (n == ueblich_ && !frei_.empty()) {
        Puffertext p = std::move(frei_.back());
        frei_.pop_back();
        return p;
      }
    }
    return app::GrossePuffer(n);
  }
  // The table of a piece joined (its rows' room is used again).
  void TabelleZurueck(Flurstuecktabelle&& t) {
    const std::lock_guard<std::mutex> sperre(mutex_);
    tabellen_.push_back(std::move(t));
  }
  Flurstuecktabelle Tabelle() {
    const std::lock_guard<std::mutex> sperre(mutex_);
    if (tabellen_.empty()) return Flurstuecktabelle();
    Flurstuecktabelle t = std::move(tabellen_.back());
    tabellen_.pop_back();
    return t;
  }
  void Einreihen(Stueck* s) {
    {
      const std::lock_guard<std::mutex> sperre(mutex_);
      warten_.push_back(s);
    }
    signal_.notify_all();
  }
  // The second thread, before the first piece when the file has several:
  // it takes a while to start, which it then spends while the first piece
  // is read. Without it this thread reads every piece.
  void HelferStarten() {
    const std::lock_guard<std::mutex> sperre(mutex_);
    if (!helfer_.joinable()) helfer_ = std::thread([this] { Arbeiten(); });
  }
  // Reads waiting pieces in this thread while more than bleiben wait.
  void Mithelfen(std::size_t bleiben) {
    while (Stueck* s = Naechstes(bleiben)) Lesen(*s);
  }
  bool Fertig(const Stueck& s) {
    const std::lock_guard<std::mutex> sperre(mutex_);
    return s.fertig;
  }
  // Waits for the second thread; rethrows what it threw.
  void Beenden() {
    {
      const std::lock_guard<std::mutex> sperre(mutex_);
      ende_ = true;
    }
    signal_.notify_all();
    if (helfer_.joinable()) helfer_.join();
  }
  std::exception_ptr Ausnahme() const { return ausnahme_; }

 private:
  Stueck* Naechstes(std::size_t bleiben) {
    const std::lock_guard<std::mutex> sperre(mutex_);
    if (warten_.size() <= bleiben) return nullptr;
    Stueck* s = warten_.front();
    warten_.pop_front();
    return s;
  }
  void Lesen(Stueck& s) {
    StueckEinlesen(s, zeichensatz_, halt_, keinUtf8_);
    {
      const std::lock_guard<std::mutex> sperre(mutex_);
      if (s.kapazitaet == ueblich_) frei_.push_back(std::move(s.text));
      s.text.reset();
      s.fertig = true;
    }
    signal_.notify_all();
  }
  void Arbeiten() {
    for (;;) {
      Stueck* s = nullptr;
      {
        std::unique_lock<std::mutex> sperre(mutex_);
        signal_.wait(sperre, [this] { return !warten_.empty() || ende_; });
        if (warten_.empty()) return;
        s = warten_.front();
        warten_.pop_front();
      }
      try {
        Lesen(*s);
      } catch (...) {
        const std::lock_guard<std::mutex> sperre(mutex_);
        if (!ausnahme_) ausnahme_ = std::current_exception();
        halt_.alle = true;
        s->fertig = true;
      }
    }
  }

  Halt& halt_;
  const std::size_t ueblich_;
  Zeichensatz zeichensatz_ = Zeichensatz::Erkennen;
  std::atomic<bool> keinUtf8_{false};
  std::mutex mutex_;
  std::condition_variable signal_;
  std::deque<Stueck*> warten_;
  bool ende_ = false;
  std::exception_ptr ausnahme_;
  std::vector<Puffertext> frei_;
  std::vector<Flurstuecktabelle> tabellen_;
  std::thread helfer_;
};

// What reading the file gave.
struct Einlesung {
  bool gelesen = true;  // no read error (reported)
  bool abgebrochen = false;
  std::string fehler;  // the first line that is no parcel; empty: none
  bool bom = false;
  bool utf8 = false;         // a byte order mark, or well-formed throughout with characters of several bytes
  bool umgewandelt = false;  // lines of some piece were converted from UTF-8
  bool daten = false;
  Flurstuecktabelle tabelle;
  int flurstuecke = 0;
  int eigentuemer = 0;
  std::size_t ersetzt = 0;
};

// Where the next piece may start: at a line from groesse on that stands on
// its own and is read to its end. 0: not (yet) found; ab keeps where the
// search stands.
std::size_t Schnittstelle(const char* p, std::size_t voll, std::size_t groesse, std::size_t& ab) {
  if (voll < groesse) return 0;
  ab = std::max(ab, groesse - 1);
  while (ab < voll) {
    const void* lf = std::memchr(p + ab, '\n', voll - ab);
    if (!lf) break;
    const std::size_t anfang = static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1;
    const void* naechstes = std::memchr(p + anfang, '\n', voll - anfang);
    if (!naechstes) {
      ab = anfang - 1;
      return 0;
    }
    std::size_t ende = static_cast<std::size_t>(static_cast<const char*>(naechstes) - p);
    if (ende > anfang && p[ende - 1] == '\r') --ende;
    if (Eigenstaendig(std::string_view(p + anfang, ende - anfang))) {
      ab = 0;
      return anfang;
    }
    ab = anfang;
  }
  ab = voll;
  return 0;
}

// Reads the open file from its start in pieces, which this thread and a
// second one check and read side by side; the pieces' tables are joined in
// their order. The progress window shows the lines read and the share of
// the file; a key press there stops the reading (Abbruch).
Einlesung Einlesen(Datei& datei, Zeichensatz zeichensatz) {
  Einlesung e;
  datei.Suchen(0);
  PruefeIO();
  if (IOFehler) {
    e.gelesen = false;
    return e;
  }
  const auto gesamt = static_cast<std::size_t>(std::max<std::int64_t>(datei.LaengeInBytes(), 0));
  const std::size_t groesse = ImportStueckgroesse > 0 ? ImportStueckgroesse : kStueck;
  // The joined table, with room for its rows and text estimated from the file's size.
  e.tabelle.SetzeZeilenzahl(1);
  e.tabelle.Reservieren(gesamt / 64 + 16, 0);

  std::vector<std::unique_ptr<Stueck>> stuecke;
  Halt halt;
  std::size_t kapazitaet = groesse + kLeseblock;  // of the buffer being filled
  Verteilung verteilung(halt, kapazitaet);
  std::size_t geschnitten = 0;  // bytes of the file in pieces so far
  // Where the next piece is cut: at the usual size, but a quarter of it for
  // the first piece, so that the second thread has work early, and smaller
  // towards the end of the file, so that the two threads end close together.
  const auto stueckgroesse = [&] {
    if (ImportStueckgroesse > 0) return groesse;
    if (geschnitten == 0) return groesse / 4;
    return std::clamp((gesamt > geschnitten ? gesamt - geschnitten : 0) / 4, groesse / 8, groesse);
  };
  if (gesamt > stueckgroesse()) verteilung.HelferStarten();
  std::size_t gefuegt = 0;  // pieces joined so far
  std::int64_t zeilen = 0;  // their lines
  bool utf8 = true;         // their lines are all UTF-8
  bool mehrbyte = false;
  // Joins the pieces read so far in their order, up to the first that failed.
  const auto fuegen = [&] {
    while (gefuegt < stuecke.size() && e.fehler.empty() && verteilung.Fertig(*stuecke[gefuegt])) {
      Stueck& s = *stuecke[gefuegt];
      if (s.fehler.art != Zeilenfehler::Art::Keiner) {
        e.fehler = FehlerText(s.fehler, zeilen + s.fehler.zeile, e.bom, utf8 && s.fehler.utf8);
        return;
      }
      if (!s.vollstaendig) return;  // stopped
      ++gefuegt;
      zeilen += s.zeilen;
      utf8 = utf8 && s.utf8;
      mehrbyte = mehrbyte || s.mehrbyte;
      e.umgewandelt = e.umgewandelt || s.umgewandelt;
      e.daten = e.daten || s.daten;
      e.flurstuecke += s.flurstuecke;
      e.eigentuemer += s.eigentuemer;
      e.ersetzt += s.ersetzt;
      e.tabelle.Anhaengen(std::move(s.tabelle));
      verteilung.TabelleZurueck(std::move(s.tabelle));
    }
  };

  const std::string text =
      "Flurst\xFC"
      "cke werden eingelesen: ";
  Puffertext puffer = verteilung.Puffer(kapazitaet);
  std::size_t voll = 0;
  std::size_t ab = 0;
  std::size_t gelesen = 0;
  for (bool erster = true;; erster = false) {
    // Up to a little beyond where the next piece is cut, so that the rest
    // behind the cut, which goes to the next buffer, is short.
    const std::size_t ziel = stueckgroesse() + kNachlauf;
    const std::size_t anfordern = voll < ziel ? std::min(kLeseblock, ziel - voll) : kLeseblock;
    if (kapazitaet - voll < anfordern) {
      Puffertext groesser = app::GrossePuffer(2 * kapazitaet);
      std::memcpy(groesser.get(), puffer.get(), voll);
      puffer = std::move(groesser);
      kapazitaet *= 2;
    }
    const std::size_t n = datei.LesenBlock(puffer.get() + voll, anfordern);
    PruefeIO();
    if (IOFehler) {
      e.gelesen = false;
      break;
    }
    voll += n;
    gelesen += n;
    // fread gives less than asked for only at the end of the file (an error
    // was dealt with above): the last piece need not wait for one more read.
    const bool dateiende = n < anfordern;
    if (erster) {
      e.bom = std::string_view(puffer.get(), voll).starts_with(kBom);
      if (e.bom) zeichensatz = Zeichensatz::Utf8;
      verteilung.SetzeZeichensatz(zeichensatz);
    }
    for (;;) {
      std::size_t schnitt = Schnittstelle(puffer.get(), voll, stueckgroesse(), ab);
      const bool letztes = schnitt == 0 && dateiende;  // the rest of the file
      if (letztes) schnitt = voll;
      if (schnitt == 0 && !(letztes && stuecke.empty())) break;
      auto s = std::make_unique<Stueck>();
      s->nummer = stuecke.size();
      s->laenge = schnitt;
      s->kapazitaet = kapazitaet;
      s->tabelle = verteilung.Tabelle();
      const std::size_t rest = voll - schnitt;
      kapazitaet = std::max(groesse, rest) + kLeseblock;
      s->text = std::exchange(puffer, verteilung.Puffer(kapazitaet));
      std::memcpy(puffer.get(), s->text.get() + schnitt, rest);
      voll = rest;
      geschnitten += schnitt;
      stuecke.push_back(std::move(s));
      verteilung.Einreihen(stuecke.back().get());
      if (letztes) break;
    }
    // This thread reads pieces too when they pile up.
    verteilung.Mithelfen(1);
    fuegen();
    if (!e.fehler.empty() || halt.ersterFehler != std::numeric_limits<std::size_t>::max()) break;
    const int prozent = gesamt > 0 ? static_cast<int>(std::min<std::size_t>(gelesen * 100 / gesamt, 100)) : 0;
    ZeigeFortschritt(text + std::to_string(zeilen) + " Zeilen", std::max(1, prozent));
    if (dateiende) break;
    if (Abbruch) {
      e.abgebrochen = true;
      break;
    }
  }
  if (!e.gelesen || e.abgebrochen) halt.alle = true;
  verteilung.Mithelfen(0);
  verteilung.Beenden();
  if (verteilung.Ausnahme()) std::rethrow_exception(verteilung.Ausnahme());
  if (!e.gelesen || e.abgebrochen) return e;
  fuegen();
  e.utf8 = zeichensatz == Zeichensatz::Utf8 || (zeichensatz == Zeichensatz::Erkennen && utf8 && mehrbyte);
  return e;
}

void TitelSetzen(Flurstuecktabelle& t) {
  t.SetzeSpaltenzahl(Flurstuecktabelle::MaxSpalten);
  for (int i = 0; i < Flurstuecktabelle::MaxSpalten; ++i) t.SetzeZelle(i, 0, Spaltentitel[i]);
}

}  // namespace

bool DateiImportieren(Flurstuecktabelle& tabelle, const std::string& pfad, Importbericht* bericht) {
  Abbruch = false;
  if (bericht) *bericht = Importbericht();
  IODateiName = Kurz(pfad, 255);
  Datei datei;
  datei.Zuordnen(IODateiName);
  PruefeIO();
  datei.OeffnenLesen(1);
  PruefeIO();
  if (IOFehler) return false;

  // The file is checked while it is read. Whether it is UTF-8 shows only at
  // its end; each piece is converted when it is UTF-8 itself, and in the
  // rare file where a piece is and the whole is not, all is read again as
  // it stands.
  Einlesung e = Einlesen(datei, Zeichensatz::Erkennen);
  if (e.gelesen && !e.abgebrochen && e.fehler.empty() && !e.utf8 && e.umgewandelt)
    e = Einlesen(datei, Zeichensatz::Ansi);
  datei.Schliessen();
  if (!e.gelesen || e.abgebrochen || !e.fehler.empty()) {
    LiesIOErgebnis();
    ZeigeFortschritt("", 0);
    if (e.gelesen && !e.abgebrochen) ZeigeWarnung(Kurz(kKeineListe + e.fehler + kTabelleBleibt, 255));
    return false;
  }
  PruefeIO();
  if (e.daten) {
    TitelSetzen(e.tabelle);
    tabelle = std::move(e.tabelle);
  } else {
    // Only a header: the table stays, and its rows are filled down and their
    // shares computed again.
    Auffuellen(tabelle);
    for (int r = 1; r < tabelle.Zeilenzahl(); ++r) BerechneAnteil(tabelle, r);
  }
  ZeigeFortschritt("", 0);
  if (bericht) {
    bericht->Flurstuecke = e.flurstuecke;
    bericht->Eigentuemer = e.eigentuemer;
    bericht->Utf8 = e.utf8;
    bericht->Ersetzt = static_cast<std::int64_t>(e.ersetzt);
  }
  if (e.ersetzt > 0)
    ZeigeMeldung("Die Datei ist in UTF-8 geschrieben. " + std::to_string(e.ersetzt) +
                 " Zeichen gibt es im Windows-Zeichensatz nicht; sie wurden durch \x84?\x93 ersetzt.");
  return true;
}

// --- shares ------------------------------------------------------------------------

Currency AnteilsFlaeche(std::string_view bejagdbarkeit, std::string_view flaeche, std::string_view anteil) {
  return Anteilig(Jagdbar(bejagdbarkeit) ? TextNachCurrency(flaeche, true).value_or(0) : 0, anteil);
}

namespace {
// "z/n" with blanks before it only and up to nine digits on either side, as
// the cadastre writes nearly every share: z and n as TextNachCurrency reads
// them. False for any other text, which leaves z and n as they are.
bool EinfacherBruch(std::string_view t, Currency& z, Currency& n) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  const auto zahl = [&](Currency& wert) {
    const std::size_t anfang = i;
    std::uint64_t w = 0;
    while (i < t.size() && i - anfang < 9 && static_cast<unsigned char>(t[i] - '0') < 10)
      w = w * 10 + static_cast<std::uint64_t>(t[i++] - '0');
    wert = static_cast<Currency>(w) * CurrencyEins;
    return i > anfang;
  };
  Currency zaehler = 0, nenner = 0;
  if (!zahl(zaehler) || i >= t.size() || t[i] != '/') return false;
  ++i;
  if (!zahl(nenner) || i != t.size()) return false;
  z = zaehler;
  n = nenner;
  return true;
}

bool Jagdbar(std::string_view bejagdbarkeit) {
  for (std::size_t i = 0; i + 4 <= bejagdbarkeit.size(); ++i)
    if (bejagdbarkeit[i] == 'Z' && bejagdbarkeit.substr(i + 1, 3) == "JEN") return true;
  return false;
}

Currency Anteilig(Currency a, std::string_view anteil) {
  Currency z = CurrencyEins;
  Currency n = CurrencyEins;
  if (!EinfacherBruch(anteil, z, n)) {
    std::size_t erstes = anteil.find_first_not_of(' ');
    std::size_t letztes = anteil.find_last_not_of(' ');
    const bool fragezeichen = erstes != std::string_view::npos && erstes == letztes && anteil[erstes] == '?';
    if (fragezeichen) a = 0;
    const std::size_t strich = anteil.find('/');
    if (strich != std::string_view::npos) {
      z = TextNachCurrency(anteil.substr(0, strich), true).value_or(0);
      n = TextNachCurrency(anteil.substr(strich + 1), true).value_or(0);
    }
  }
  // A share of more than the whole can leave every range: it then counts as
  // the largest area, which no transfer takes over.
  if (n > 0 && z > 0) {
    if (z == n) return a;  // the whole: a * z / z, nothing to round
    // As MulDivGeprueft rounds it, in 64 bits where the product fits there.
    if (a >= 0 && a <= std::numeric_limits<Currency>::max() / z) {
      const auto p = static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(z);
      const auto d = static_cast<std::uint64_t>(n);
      std::uint64_t q = p / d;
      const std::uint64_t rest = p % d;
      const std::uint64_t gegen = d - rest;  // 2 * rest against d, without overflow
      if (rest != 0 && (rest > gegen || (rest == gegen && (q & 1u) != 0))) ++q;
      return static_cast<Currency>(q);
    }
    return MulDivGeprueft(a, z, n, Rundung::HalbGerade).value_or(std::numeric_limits<Currency>::max());
  }
  return 0;
}
}  // namespace

void BerechneAnteil(Flurstuecktabelle& t, int zeile) {
  if (zeile < 0 || zeile >= t.Zeilenzahl()) return;
  const Currency a = AnteilsFlaeche(t.Zelle(Bejagdbarkeit, zeile), t.Zelle(Flaeche, zeile), t.Zelle(Anteil, zeile));
  const std::int64_t qm = GanzeQuadratmeter(a);
  t.SetzeZelle(AnteiligeFlaeche, zeile, Rechtsbuendig(qm, 9));
}

// --- order -------------------------------------------------------------------------

namespace {

// text upper-cased as the table gross has it (GrossBuchstabe, which changes
// no ASCII byte but a to z), into ziel: eight bytes of plain ASCII at a
// time, any other byte through the table.
void GrossKopieren(char* ziel, std::string_view text, const char (&gross)[256]) {
  constexpr std::uint64_t kJedes = 0x0101010101010101u;
  constexpr std::uint64_t kHoch = 0x80 * kJedes;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, text.data() + i, 8);
    if ((w & kHoch) == 0) {
      // A byte below 0x80 plus 0x80 - 'a' reaches 0x80 from 'a' on, plus
      // 0x80 - 'z' - 1 from behind 'z' on; no sum carries into the next byte.
      const std::uint64_t klein = (w + (0x80 - 'a') * kJedes) & ~(w + (0x80 - 'z' - 1) * kJedes) & kHoch;
      w -= klein >> 2;  // 0x20 from each small letter
      std::memcpy(ziel + i, &w, 8);
    } else {
      for (std::size_t j = i; j < i + 8; ++j) ziel[j] = gross[static_cast<unsigned char>(text[j])];
    }
  }
  for (; i < text.size(); ++i) ziel[i] = gross[static_cast<unsigned char>(text[i])];
}

// From this many rows on, the room for the sorted rows is made ready in a
// thread of its own while the keys are numbered and sorted.
constexpr int kVorbereitenAb = 1 << 16;

}  // namespace

void Sortieren(Flurstuecktabelle& t) {
  const int zeilen = t.Zeilenzahl();
  if (zeilen <= 2) return;
  // A row's key: its columns 8 to 12 upper-cased, cut to 255. The five
  // cells stand one after the other in the row's text, so a key is one
  // piece of it.
  const auto teil = [&t](int r) {
    return t.Bereich(t.zeilen_[static_cast<std::size_t>(r)], Nachname, Weiteres).substr(0, 255);
  };
  char gross[256];
  for (int i = 0; i < 256; ++i) gross[i] = GrossBuchstabe(static_cast<char>(i));
  // A cadastre names most owners on several rows: each distinct key gets a
  // number (found through an open hash table) and is kept once, in a buffer
  // of its own; only the distinct keys are sorted, and the rows are then
  // placed by the rank of their key in one stable pass. The table holds the
  // low half of each key's hash beside its number (plus one; 0 is a free
  // slot) and grows as the keys come, so it stays small.
  std::string einzeln;                      // the distinct keys
  std::vector<std::uint32_t> anfang = {0};  // key number -> its start in einzeln (and the end)
  auto schluessel = [&](std::uint32_t k) {
    return std::string_view(einzeln).substr(anfang[k], anfang[k + 1] - anfang[k]);
  };
  std::vector<std::uint64_t> fach(1 << 12, 0);
  // The number of a key, a new one when it has none yet.
  const auto nummerVon = [&](std::string_view key, std::uint32_t h) {
    std::size_t maske = fach.size() - 1;
    std::size_t i = h & maske;
    for (; fach[i] != 0; i = (i + 1) & maske)
      if (static_cast<std::uint32_t>(fach[i] >> 32) == h && schluessel(static_cast<std::uint32_t>(fach[i]) - 1) == key)
        return static_cast<std::uint32_t>(fach[i]) - 1;
    const auto n = static_cast<std::uint32_t>(anfang.size() - 1);
    einzeln.append(key);
    anfang.push_back(static_cast<std::uint32_t>(einzeln.size()));
    fach[i] = (static_cast<std::uint64_t>(h) << 32) | (n + 1);
    if (2 * (n + 1) > fach.size()) {  // half full: twice the size
      std::vector<std::uint64_t> alt(2 * fach.size(), 0);
      alt.swap(fach);
      maske = fach.size() - 1;
      for (const std::uint64_t e : alt) {
        if (e == 0) continue;
        std::size_t j = static_cast<std::uint32_t>(e >> 32) & maske;
        while (fach[j] != 0) j = (j + 1) & maske;
        fach[j] = e;
      }
    }
    return n;
  };
  // The room for the rows in their new order, zeroed (and so taken from the
  // system) meanwhile by the other processor when there are many.
  decltype(t.zeilen_) neu;
  std::future<void> vorbereitet;
  if (zeilen >= kVorbereitenAb) {
    try {
      vorbereitet = std::async(std::launch::async, [&neu, n = t.zeilen_.size()] { neu.resize(n); });
    } catch (const std::system_error&) {  // no thread to be had: here, then
    }
  }
  if (!vorbereitet.valid()) neu.resize(t.zeilen_.size());
  std::vector<std::uint32_t> nummer(static_cast<std::size_t>(zeilen), 0);
  const std::hash<std::string_view> streuwert;
  // The rows in groups: the keys of a group are built and the slots of the
  // hash table they fall on fetched first, and looked up after, so that the
  // fetches from a table larger than the processor's near caches overlap
  // rather than wait one for the other.
  constexpr int kGruppe = 16;
  struct Gruppenschluessel {
    std::uint32_t h;
    std::uint32_t laenge;
    char text[256];
  };
  std::array<Gruppenschluessel, kGruppe> gruppe;
  for (int erste = 1; erste < zeilen; erste += kGruppe) {
    const int anzahl = std::min(kGruppe, zeilen - erste);
    for (int g = 0; g < anzahl; ++g) {
      Gruppenschluessel& k = gruppe[static_cast<std::size_t>(g)];
      const std::string_view roh = teil(erste + g);
      GrossKopieren(k.text, roh, gross);
      k.laenge = static_cast<std::uint32_t>(roh.size());
      k.h = static_cast<std::uint32_t>(streuwert(std::string_view(k.text, k.laenge)));
      Vorholen(fach.data() + (k.h & (fach.size() - 1)));
    }
    for (int g = 0; g < anzahl; ++g) {
      const Gruppenschluessel& k = gruppe[static_cast<std::size_t>(g)];
      nummer[static_cast<std::size_t>(erste + g)] = nummerVon(std::string_view(k.text, k.laenge), k.h);
    }
  }
  std::vector<std::uint64_t>().swap(fach);
  const std::size_t anzahlSchluessel = anfang.size() - 1;
  // Sorted by their first 32 bytes as numbers (missing bytes 0), which order
  // as the texts do, and only where those are equal by the whole text (as
  // for owners of the same name and first names).
  struct Rang {
    std::uint64_t vorne[4];
    std::uint32_t nummer;
  };
  std::vector<Rang> raenge(anzahlSchluessel);
  for (std::uint32_t n = 0; n < anzahlSchluessel; ++n) {
    const std::string_view s = schluessel(n);
    Rang& rang = raenge[n];
    rang.nummer = n;
    for (std::size_t w = 0; w < 4; ++w) {
      std::uint64_t v = 0;
      for (std::size_t b = 8 * w; b < 8 * w + 8; ++b)
        v = (v << 8) | (b < s.size() ? static_cast<unsigned char>(s[b]) : 0u);
      rang.vorne[w] = v;
    }
  }
  std::sort(raenge.begin(), raenge.end(), [&](const Rang& a, const Rang& b) {
    for (std::size_t w = 0; w < 4; ++w)
      if (a.vorne[w] != b.vorne[w]) return a.vorne[w] < b.vorne[w];
    return schluessel(a.nummer) < schluessel(b.nummer);
  });
  std::vector<std::uint32_t> nachRang(anzahlSchluessel);
  for (std::size_t i = 0; i < anzahlSchluessel; ++i) nachRang[i] = raenge[i].nummer;
  std::vector<Rang>().swap(raenge);
  std::string().swap(einzeln);
  std::vector<std::uint32_t>().swap(anfang);
  // Where the rows of each key begin in the new order.
  std::vector<std::uint32_t> beginn(anzahlSchluessel);
  {
    std::vector<std::uint32_t> anzahl(anzahlSchluessel, 0);
    for (int r = 1; r < zeilen; ++r) ++anzahl[nummer[static_cast<std::size_t>(r)]];
    std::uint32_t summe = 0;
    for (const std::uint32_t n : nachRang) {
      beginn[n] = summe;
      summe += anzahl[n];
    }
  }
  std::vector<int> reihenfolge(static_cast<std::size_t>(zeilen - 1));
  for (int r = 1; r < zeilen; ++r) reihenfolge[beginn[nummer[static_cast<std::size_t>(r)]]++] = r;
  std::vector<std::uint32_t>().swap(nummer);
  // The rows copied in their new order (reading them at random is cheaper
  // than also writing them at random), each fetched a few rows ahead.
  if (vorbereitet.valid()) vorbereitet.get();
  neu[0] = t.zeilen_[0];
  constexpr std::size_t kVoraus = 16;
  for (std::size_t i = 0; i < reihenfolge.size(); ++i) {
    if (i + kVoraus < reihenfolge.size())
      Vorholen(t.zeilen_.data() + static_cast<std::size_t>(reihenfolge[i + kVoraus]));
    neu[i + 1] = t.zeilen_[static_cast<std::size_t>(reihenfolge[i])];
  }
  t.zeilen_.swap(neu);
}

// --- export ------------------------------------------------------------------------

bool ExportSchreiben(const Flurstuecktabelle& t, const std::string& pfad, const std::vector<std::string>& gelesen) {
  IODateiName = pfad;
  if (!PruefeIOErgebnis(TextzielPruefen(pfad, gelesen))) return false;
  OrdnerFuerDateiAnlegen(pfad);
  PruefeIO();
  if (IOFehler) return false;
  ErsatzDatei datei(pfad);
  std::string puffer;
  for (int r = 0; r < t.Zeilenzahl() && datei.Ok(); ++r) {
    std::string zeile;
    for (int c = 0; c <= GebName; ++c) {
      zeile += t.Zelle(c, r);
      zeile += ';';
    }
    puffer += Kurz(zeile, 255);
    puffer += "\r\n";
    if (puffer.size() >= kBlock || r + 1 == t.Zeilenzahl()) {
      datei.Schreiben(puffer.data(), puffer.size());
      puffer.clear();
    }
  }
  datei.Einsetzen();
  PruefeIO();
  return !IOFehler;
}

// --- transfer ----------------------------------------------------------------------

namespace {

// Digits with at most one decimal comma (blanks aside): a number that only
// its size keeps from being read.
bool ZahlZuGross(std::string_view t) {
  bool ziffer = false;
  int kommas = 0;
  for (char c : t) {
    if (c >= '0' && c <= '9')
      ziffer = true;
    else if (c == ',')
      ++kommas;
    else if (c != ' ')
      return false;
  }
  return ziffer && kommas <= 1;
}

std::string_view Getrimmt(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// Two texts joined by trenner; only the one that is there when the other is
// empty.
std::string Verbunden(std::string_view a, const char* trenner, std::string_view b) {
  std::string s(a);
  if (!a.empty() && !b.empty()) s += trenner;
  s += b;
  return s;
}

// Rows read ahead at once by the transfer (a power of two).
constexpr int kVorladen = 32;

}  // namespace

Uebertragungsbericht TabelleUebertragen(const Flurstuecktabelle& t, addresses::Adressdatei& datei) {
  Uebertragungsbericht bericht;
  Abbruch = false;
  const auto zelle = [&](int spalte, int r) { return Getrimmt(t.Zelle(spalte, r)); };
  // The owner's key of a row, written into a buffer that is used again.
  auto schluessel = [&](int r, std::string& k) {
    k.assign(t.Zelle(Nachname, r));
    k += ", ";
    k += t.Zelle(Vorname, r);
    k += t.Zelle(Strasse, r);
    if (k.size() > 255) k.resize(255);
  };
  // Rows that name no owner (the empty rows of a table that was never filled
  // among them) give no record.
  auto ohneName = [&](int r) { return zelle(Nachname, r).empty() && zelle(Vorname, r).empty(); };
  addresses::AdrAnhaenger anhaenger(datei);
  Currency summe = 0;
  const int letzte = t.Zeilenzahl() - 1;
  std::string k, naechster;
  if (letzte >= 1) schluessel(1, k);
  t.Vorladen(1, 1 + kVorladen);
  int seitMeldung = 0;
  auto leer = [&](int r) {
    for (int c = 0; c < Flurstuecktabelle::MaxSpalten; ++c)
      if (!t.Zelle(c, r).empty()) return false;
    return true;
  };
  for (int r = 1; r <= letzte; ++r) {
    // After a sort the rows lie scattered.
    if ((r & (kVorladen - 1)) == 1) t.Vorladen(r + kVorladen, r + 2 * kVorladen);
    if (ohneName(r)) {
      if (!leer(r)) ++bericht.Uebergangen;
      if (r < letzte)
        schluessel(r + 1, k);
      else
        k.clear();
      continue;
    }
    // Unreadable text counts 0; a number too large to read is no such text.
    const std::string_view anteil = t.Zelle(AnteiligeFlaeche, r);
    const std::optional<Currency> qm = TextNachCurrency(anteil, true);
    const std::optional<Currency> bisher = Summe(summe, qm.value_or(0));
    const bool passt = bisher.has_value() && !(!qm && ZahlZuGross(anteil));
    const Currency neu = bisher.value_or(0);
    if (r < letzte)
      schluessel(r + 1, naechster);
    else
      naechster.clear();
    if (!passt || (naechster != k && MulDiv(neu, 1, CurrencyEins, Rundung::HalbGerade) > HoechsteFlaeche)) {
      const std::string name = Verbunden(zelle(Vorname, r), " ", zelle(Nachname, r));
      bericht.Ergebnis = IOErgebnis::Fehler(io::SummeZuGross, datei.Pfad,
                                            Kurz("Summe zu gro\xDF: Die Fl\xE4"
                                                 "chen von " +
                                                     name + " (Zeile " + std::to_string(r) +
                                                     ") ergeben mehr als 100.000.000 ha. Es wurde keine Adresse \xFC"
                                                     "bernommen.",
                                                 255));
      break;
    }
    summe = neu;
    if (naechster != k) {
      addresses::TAdresse& a = datei.Satz;
      a.Leeren();
      a.SetzeText(addresses::Name1, Verbunden(zelle(Vorname, r), " ", zelle(Nachname, r)));
      a.SetzeText(addresses::Sortierung, Verbunden(zelle(Nachname, r), "; ", zelle(Vorname, r)));
      a.SetzeText(addresses::Strasse, std::string(zelle(Strasse, r)));
      a.SetzeText(addresses::Ort, std::string(zelle(Ort, r)));
      a.SetzeFlaeche(MulDiv(summe, 1, CurrencyEins, Rundung::HalbGerade));
      if (!anhaenger.Anhaengen(a)) break;
      ++bericht.Angehaengt;
      summe = 0;
    }
    std::swap(k, naechster);
    if (++seitMeldung >= kFortschrittAlle) {
      seitMeldung = 0;
      ZeigeFortschritt("Adressen werden angelegt: Zeile " + std::to_string(r) + " von " + std::to_string(letzte),
                       std::max(1, static_cast<int>(static_cast<std::int64_t>(r) * 100 / letzte)));
      if (Abbruch) {
        bericht.Abgebrochen = true;
        break;
      }
    }
  }
  // All owners or none: a transfer stopped on the way takes its records back.
  if (!bericht.Ergebnis.Ok() || bericht.Abgebrochen) {
    anhaenger.Verwerfen();
    bericht.Angehaengt = 0;
  }
  IOSchritte s(datei.Pfad);
  s.Uebernimm(bericht.Ergebnis);
  s.Uebernimm(anhaenger.Schliessen());
  bericht.Ergebnis = s.Ergebnis();
  if (!bericht.Ergebnis.Ok()) bericht.Angehaengt = 0;
  ZeigeFortschritt("", 0);
  return bericht;
}

bool UebertragungMelden(const Uebertragungsbericht& bericht) {
  ZeigeIOErgebnis(bericht.Ergebnis);
  const int n = bericht.Uebergangen;
  if (n > 0 && !bericht.Abgebrochen && bericht.Ergebnis.Ok())
    ZeigeMeldung(std::to_string(n) + (n == 1 ? " Zeile nennt" : " Zeilen nennen") + " keinen Eigent\xFCmer und wurde" +
                 (n == 1 ? "" : "n") +
                 " nicht \xFC"
                 "bernommen.");
  if (bericht.Abgebrochen)
    ZeigeMeldung("Import abgebrochen!");
  else if (bericht.Ergebnis.Ok())
    ZeigeMeldung("Import abgeschlossen!");
  return bericht.Ergebnis.Ok() && !bericht.Abgebrochen;
}

bool TabelleUebertragen(const Flurstuecktabelle& t, int* angehaengt, const std::string& kataster) {
  if (angehaengt) *angehaengt = 0;
  // Asked before the file is opened (which would offer to cut a file that is
  // no address file) and after (a file chosen in the dialog).
  const auto istKataster = [&kataster](const std::string& adressdatei) {
    if (kataster.empty() || !DateiExistiert(adressdatei) || !DieselbeDatei(adressdatei, kataster)) return false;
    ZeigeMeldung(Kurz("Die Adressendatei " + adressdatei +
                          " ist die eingelesene Katasterdatei. Es wurde nichts \xFC"
                          "bertragen.",
                      255));
    return true;
  };
  if (istKataster(Konfiguration.Adressdatei())) return false;
  if (!addresses::AdrDateiOeffnen() || istKataster(addresses::AdrDateiName)) return false;
  const Uebertragungsbericht bericht = TabelleUebertragen(t, addresses::AktiveAdressdatei);
  if (angehaengt) *angehaengt = bericht.Angehaengt;
  return UebertragungMelden(bericht);
}

}  // namespace davo::parcels
