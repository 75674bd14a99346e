#pragma once
// Address files and the payout settings and configuration records next to
// them, written byte by byte for the command-line tests. Everything here is
// built by hand, never through the program's own record classes or its own
// character conversion, so that the tests check the program against bytes
// that do not come from it.
//
// An address record has 2947 bytes: text field i (1..30) at (i - 1) x 51 as a
// length byte and up to 50 Windows-1252 bytes; Gruppe at 1530, AuszahlungFrei
// at 1531, SerienbriefDruck at 1532 and the area in hectares x 10000 as a
// little-endian int64 at 1533. A file is its records one after another.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace davo::test {

// Windows-1252 from the UTF-8 written in the tests. Every letter the tests use
// lies in U+00C0..U+00FF (two UTF-8 bytes C3 xx, one byte xx + 0x40); "€"
// becomes 0x80. Every other byte stays as it is.
std::string Ansi(const std::string& utf8);
// Every text of the map converted as above.
std::map<int, std::string> AnsiTexte(const std::map<int, std::string>& utf8);

// --- address records ---------------------------------------------------------------

constexpr std::size_t kSatz = 2947;
constexpr std::size_t kGruppe = 1530;
constexpr std::size_t kAuszahlungFrei = 1531;
constexpr std::size_t kSerienbrief = 1532;
constexpr std::size_t kFlaeche = 1533;

// Text field indices as the record lays them out.
enum AdressFeld : int {
  Anrede = 1,
  Name1,
  Name2,
  Sortierung,
  Strasse,
  Postfach,
  Ort,
  Telefon,
  Feld9,
  Fax,
  EMail,
  Homepage,
  Bankname,
  BLZ,
  Kontonummer,
  IBAN,
  BIC,
  MandatsNr,
  MandatsNrAlt,
  Steuernummer,
  UStId
};

// One record; every byte not named here is zero.
struct Satz {
  std::map<int, std::string> Texte;  // field index 1..30 -> Windows-1252 bytes
  std::uint8_t Gruppe = 0;
  std::uint8_t AuszahlungFrei = 0;
  std::uint8_t SerienbriefDruck = 0;
  std::int64_t Flaeche = 0;  // hectares x 10000
};

// The record's 2947 bytes.
std::string Bytes(const Satz& s);
// The records one after another.
std::string Datei(const std::vector<Satz>& saetze);

// Read back from the bytes of a file: text field i of record nr (from 0), its
// area, and its byte at offset off.
std::string Textfeld(const std::string& datei, std::size_t nr, int i);
std::int64_t FlaecheIn(const std::string& datei, std::size_t nr);
std::uint8_t ByteIn(const std::string& datei, std::size_t nr, std::size_t off);

// --- records of the DOS programs' address files: texts 1..14 as short strings
// of capacity 30 at (i - 1) x 31, the sort key (capacity 12) at 434, the group
// at 447 and, in the hunting-money format (454 bytes), the area in square
// metres as a 6-byte real at 448 -----------------------------------------------------

struct DosSatz {
  std::map<int, std::string> Texte;  // text index 1..14 -> DOS bytes
  std::string Sortierung;
  std::uint8_t Gruppe = 0;
  std::array<std::uint8_t, 6> Flaeche{};  // exponent byte, then the fraction; all zero is 0
};

// The record's 454 bytes (mitFlaeche) or 448 bytes.
std::string DosBytes(const DosSatz& s, bool mitFlaeche);

// --- the payout settings file: 5205 bytes, texts as short strings of capacity
// 255 at i x 256, the run number as a little-endian int32 at 4096 -------------------

constexpr std::size_t kEinstellungsGroesse = 5205;
constexpr std::size_t kLaufnummer = 4096;

enum EinstellungsFeld : int {
  Auftraggeber,
  Kreditinstitut = 2,
  AuftraggeberIBAN = 4,
  BetragProHa = 6,
  Kleinster,
  Beleg,
  SepaOrdner
};

// The settings with these texts (Windows-1252 bytes) and run number; the
// bytes outside the ten length bytes, the texts and the run number are rest.
std::string Einstellungen(const std::map<int, std::string>& texte, std::int32_t laufnummer, char rest = '\0');
// The short string at text field i of a settings file.
std::string Einstellungstext(const std::string& datei, int i);

// --- the configuration record: 5335 bytes, the active address file as a short
// string at 0, the form-letter file as one at 256 ----------------------------------

constexpr std::size_t kKonfigGroesse = 5335;

std::string KonfigSatz(const std::string& adressdatei, const std::string& briefdatei);

}  // namespace davo::test
