#pragma once
// Form-letter templates: plain text lines with placeholders for the current
// owner's fields and two-letter tokens that drive the printer; the DOS
// character conversion; reading and writing template files; the editor.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "addresses/Adresse.h"

namespace davo::letters {

// The 32 tokens in the order they are searched (empty entries never match).
extern const std::array<const char*, 32> Platzhalter;

// The line with every placeholder and control token replaced from the
// record (AktAdresse when none is given); control codes are sent to the
// report engine as the tokens are found.
std::string ErsetzePlatzhalter(const std::string& zeile);
std::string ErsetzePlatzhalter(const std::string& zeile, const addresses::TAdresse& adresse);
// Whether zeile holds any of the placeholders (a line without them comes out
// of the replacement unchanged, whatever the record).
bool HatPlatzhalter(std::string_view zeile);


// German DOS bytes to Windows-1252, byte for byte.
std::string DosNachWindows(const std::string& zeile);

enum class Leseergebnis { Gelesen, NichtGeoeffnet, Lesefehler };
// Reads a text file as lines of at most 255 characters (the rest of a longer
// line is skipped), converting from DOS when asked. Stops at the first read
// error, keeping the lines read. Failures are reported.
Leseergebnis TextdateiLesen(const std::string& pfad, bool vonDos, std::vector<std::string>& zeilen);
// Writes the lines, each ended by CR LF, replacing the file whole or not at
// all (never a file of the program's own kinds). False on a file error or
// such a refusal (reported).
bool TextdateiSchreiben(const std::string& pfad, const std::vector<std::string>& zeilen);

extern const char* const FilterVorlageLaden;
extern const char* const StartordnerVorlageLaden;
extern const char* const FilterVorlageSpeichern;
extern const char* const StartordnerVorlageSpeichern;

// The template editor: its text as lines, and its commands.
class EditorModell {
 public:
  std::vector<std::string> Zeilen;

  // "Datei laden": file dialog, DOS question for the second filter, reading.
  void Laden();
  // "Datei speichern".
  void Speichern();
  // "Schrift einstellen" was confirmed: keep the font in the configuration.
  void SchriftMerken(const std::string& name, int hoehe, int groesse);
  // "Datei drucken": prints the lines with the placeholders filled from
  // AktAdresse, line n at DruckLinks, DruckOben + n × text height, in the
  // editor's font.
  void Drucken(const std::string& schriftname, int schriftgroesse);
};

}  // namespace davo::letters
