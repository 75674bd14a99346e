#include "support/Adresssaetze.h"

namespace davo::test {

namespace {

// Writes text as a short string (length byte, then the bytes) at off.
void KurzerText(std::string& b, std::size_t off, const std::string& text) {
  b[off] = static_cast<char>(text.size());
  b.replace(off + 1, text.size(), text);
}

}  // namespace

std::string Ansi(const std::string& utf8) {
  std::string a;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8.compare(i, 3, "\xE2\x82\xAC") == 0) {
      a += '\x80';
      i += 2;
    } else {
      a += utf8[i] == '\xC3' ? static_cast<char>(static_cast<unsigned char>(utf8[++i]) + 0x40) : utf8[i];
    }
  }
  return a;
}

std::map<int, std::string> AnsiTexte(const std::map<int, std::string>& utf8) {
  std::map<int, std::string> texte;
  for (const auto& [i, text] : utf8) texte[i] = Ansi(text);
  return texte;
}

std::string Bytes(const Satz& s) {
  std::string b(kSatz, '\0');
  for (const auto& [i, text] : s.Texte) KurzerText(b, static_cast<std::size_t>(i - 1) * 51, text);
  b[kGruppe] = static_cast<char>(s.Gruppe);
  b[kAuszahlungFrei] = static_cast<char>(s.AuszahlungFrei);
  b[kSerienbrief] = static_cast<char>(s.SerienbriefDruck);
  const auto v = static_cast<std::uint64_t>(s.Flaeche);
  for (std::size_t k = 0; k < 8; ++k) b[kFlaeche + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
  return b;
}

std::string Datei(const std::vector<Satz>& saetze) {
  std::string d;
  for (const Satz& s : saetze) d += Bytes(s);
  return d;
}

std::string Textfeld(const std::string& datei, std::size_t nr, int i) {
  const std::size_t off = nr * kSatz + static_cast<std::size_t>(i - 1) * 51;
  const auto laenge = static_cast<unsigned char>(datei.at(off));
  return datei.substr(off + 1, laenge);
}

std::int64_t FlaecheIn(const std::string& datei, std::size_t nr) {
  std::uint64_t v = 0;
  for (std::size_t k = 8; k-- > 0;) v = (v << 8) | static_cast<unsigned char>(datei.at(nr * kSatz + kFlaeche + k));
  return static_cast<std::int64_t>(v);
}

std::uint8_t ByteIn(const std::string& datei, std::size_t nr, std::size_t off) {
  return static_cast<std::uint8_t>(datei.at(nr * kSatz + off));
}

std::string DosBytes(const DosSatz& s, bool mitFlaeche) {
  std::string b(mitFlaeche ? 454 : 448, '\0');
  for (const auto& [i, text] : s.Texte) KurzerText(b, static_cast<std::size_t>(i - 1) * 31, text);
  KurzerText(b, 434, s.Sortierung);
  b[447] = static_cast<char>(s.Gruppe);
  if (mitFlaeche)
    for (std::size_t k = 0; k < 6; ++k) b[448 + k] = static_cast<char>(s.Flaeche[k]);
  return b;
}

std::string Einstellungen(const std::map<int, std::string>& texte, std::int32_t laufnummer, char rest) {
  std::string b(kEinstellungsGroesse, rest);
  for (std::size_t i = 0; i < 10; ++i) b[i * 256] = '\0';
  for (const auto& [i, text] : texte) KurzerText(b, static_cast<std::size_t>(i) * 256, text);
  const auto n = static_cast<std::uint32_t>(laufnummer);
  for (std::size_t k = 0; k < 4; ++k) b[kLaufnummer + k] = static_cast<char>((n >> (8 * k)) & 0xFF);
  return b;
}

std::string Einstellungstext(const std::string& datei, int i) {
  const std::size_t off = static_cast<std::size_t>(i) * 256;
  return datei.substr(off + 1, static_cast<unsigned char>(datei[off]));
}

std::string KonfigSatz(const std::string& adressdatei, const std::string& briefdatei) {
  std::string b(kKonfigGroesse, '\0');
  KurzerText(b, 0, adressdatei);
  KurzerText(b, 256, briefdatei);
  return b;
}

}  // namespace davo::test
