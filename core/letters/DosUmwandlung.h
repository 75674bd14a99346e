#pragma once
// Address files of the older DOS programs (*.ADR) turned into address files
// of this program (*.ADW) beside them: every record in its order, every text
// from the DOS character set to Windows-1252. Two formats: the hunting-money
// program's records of 454 bytes (with the area) and the accounting
// program's records of 448 bytes (without).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/Geld.h"

namespace davo::letters {

enum class DosFormat {
  Jagd,         // "Adressdatei Davozedizarorevodo", 454 bytes
  Buchhaltung,  // "Adressdatei Revizizuziradi", 448 bytes
};

constexpr std::size_t DosSatzgroesse(DosFormat format) { return format == DosFormat::Jagd ? 454 : 448; }

// The main window's open dialog for the conversion; its entry decides the format.
extern const char* const FilterDosAdressdatei;
extern const char* const StartordnerDosAdressdatei;

// The area of a DOS record, a 6-byte real in square metres, as hectares in
// Currency (1 unit = 1 m², rounded half away from zero). Nothing when it is
// negative or above 100,000,000 ha.
std::optional<app::Currency> Real48NachFlaeche(const std::uint8_t* sechsBytes);

// The path with its last three characters replaced by "ADW".
std::string DosZielpfad(const std::string& quelle);

// One old record (DosSatzgroesse bytes) as an address record; every field not
// taken over is zero. flaecheUngueltig (when given) tells whether an area had
// to be taken as 0.
addresses::TAdresse DosSatzUmwandeln(const std::uint8_t* alt, DosFormat format, bool* flaecheUngueltig = nullptr);

struct DosErgebnis {
  addresses::Aktionsergebnis Ergebnis = addresses::Aktionsergebnis::Fehler;
  std::string Ziel;         // the new address file
  std::int32_t Anzahl = 0;  // records converted
};

// Converts quelle into DosZielpfad(quelle), which must not exist. The new file
// is written under a temporary name and put in place once every record is
// converted; after a failure (reported) nothing is left at the target. Areas
// taken as 0 are reported once, with their record numbers.
DosErgebnis DosAdressdateiUmwandeln(const std::string& quelle, DosFormat format);

// "Adressdatei von DOS-Version importieren": the open dialog, the question,
// then the conversion.
DosErgebnis DosAdressdateiImportieren();

}  // namespace davo::letters
