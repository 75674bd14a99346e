#pragma once
// File access with a pending result code. No operation throws: each one leaves
// its result code behind, and the caller fetches it with LiesIOErgebnis or
// PruefeIO (which also shows the German message that names the file).
// A failed operation does not stop later ones; the first failure stays pending
// until it is fetched.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace davo::app {

// --- error state shared by the whole program --------------------------------
extern std::string IODateiName;  // the file the current operation concerns (cp1252)
extern std::int32_t IOCode;      // result of the last fetched operation; 0 = success
extern bool IOFehler;            // IOCode != 0

// Result codes of the file runtime.
namespace io {
constexpr int DateiNichtGefunden = 2;
constexpr int PfadNichtGefunden = 3;
constexpr int ZuvieleDateien = 4;
constexpr int ZugriffVerweigert = 5;
constexpr int UngueltigesHandle = 6;
constexpr int UngueltigerModus = 12;
constexpr int DiskVoll = 112;
constexpr int LeseFehler = 100;
constexpr int SchreibFehler = 101;
constexpr int NichtOffen = 103;
constexpr int NichtFuerLesen = 104;
constexpr int NichtFuerSchreiben = 105;
// The program's own codes: what the platform reports in its own words.
constexpr int InBenutzung = 300;        // locked by another program
constexpr int KeineNormaleDatei = 301;  // a device, a pipe or a socket
constexpr int UngueltigeGroesse = 302;  // an address file with a torn last record
constexpr int SummeZuGross = 303;       // a sum or product that does not fit
}  // namespace io

// Fetches (and clears) the pending result into IOCode/IOFehler. No message.
void LiesIOErgebnis();
// When IOFehler: shows the message for IOCode through ZeigeMeldung.
void ZeigeIOFehler();
// LiesIOErgebnis, then ZeigeIOFehler.
void PruefeIO();
// The message text for a code, with name standing for IODateiName (cut at 255).
std::string IOFehlerText(std::int32_t code, const std::string& name);

// --- results handed back --------------------------------------------------------
// The result of an operation on files, handed back to its caller: the code
// of its first failure (0: success), the file that failure concerns and the
// German message for it. Nothing has been shown; the caller shows it once,
// where the program talks to the user (a window, a command).
struct IOErgebnis {
  std::int32_t Code = 0;
  std::string Datei;  // cp1252
  std::string Text;   // the message; empty on success

  bool Ok() const { return Code == 0; }
  // A failure with the message of its code (IOFehlerText), or with its own.
  static IOErgebnis Fehler(std::int32_t code, const std::string& datei);
  static IOErgebnis Fehler(std::int32_t code, const std::string& datei, const std::string& text);
};

// The steps of one operation: after each file step Pruefe fetches (and
// clears) the pending result; the first failure becomes the operation's
// result. IOCode, IOFehler and IODateiName are not touched.
class IOSchritte {
 public:
  explicit IOSchritte(std::string datei) : datei_(std::move(datei)) {}
  // The file the following steps concern (their failures name it).
  void Datei(std::string datei) { datei_ = std::move(datei); }
  // False when the step just done failed.
  bool Pruefe();
  // Takes over the result of steps done elsewhere; false when it failed.
  bool Uebernimm(const IOErgebnis& ergebnis);
  bool Ok() const { return ergebnis_.Ok(); }
  const IOErgebnis& Ergebnis() const { return ergebnis_; }

 private:
  std::string datei_;
  IOErgebnis ergebnis_;
};

// Shows the message of a failed result (as a warning); true on success.
bool ZeigeIOErgebnis(const IOErgebnis& ergebnis);
// For the operations that keep the file-error state: IODateiName (on a
// failure), IOCode and IOFehler take the result's values, as PruefeIO sets
// them, and a failure is shown. True on success.
bool PruefeIOErgebnis(const IOErgebnis& ergebnis);

// Sets the pending result as an operation does (the first failure sticks).
void SetzeIOErgebnis(int code);
// The pending result, without fetching it.
int OffenesIOErgebnis();
// Drops the pending result: a failure the caller handles itself.
void VerwirfIOErgebnis();

// Maps an errno value of the C runtime onto the result codes above.
int IOCodeAusErrno(int fehler, const std::filesystem::path& pfad);

// --- the file variable -------------------------------------------------------
// A typed file of fixed-size records (record size 1 for untyped files).
class Datei {
 public:
  Datei() = default;
  ~Datei();
  Datei(const Datei&) = delete;
  Datei& operator=(const Datei&) = delete;

  // Bind to a path (program path text, cp1252; see DateiPfad).
  void Zuordnen(const std::string& pfad);
  // Open an existing file for reading and writing.
  void Oeffnen(std::size_t satzgroesse);
  // Open an existing file for reading only.
  void OeffnenLesen(std::size_t satzgroesse);
  // Create the file anew (truncating it), open for reading and writing.
  void Anlegen(std::size_t satzgroesse);
  // Create a file that does not exist yet (80 when there is one).
  void AnlegenNeu(std::size_t satzgroesse);
  // Lock the open file, shared (for reading) or exclusive (for writing),
  // waiting up to SperrWartezeit() while another program holds it; then
  // io::InBenutzung. The lock ends with the close.
  void Sperren(bool exklusiv);
  // Cut the file to n bytes (written data flushed first).
  void Kuerzen(std::int64_t bytes);
  // Position at record n.
  void Suchen(std::int64_t satz);
  // Read one record; a short read fails with 100 and leaves the bytes read.
  void Lesen(void* puffer);
  // Read up to n bytes (untyped files); returns the number read.
  std::size_t LesenBlock(void* puffer, std::size_t n);
  // Write one record.
  void Schreiben(const void* puffer);
  // Write n bytes (untyped files); returns the number written.
  std::size_t SchreibenBlock(const void* puffer, std::size_t n);
  // Number of whole records in the file.
  std::int64_t Groesse();
  // Length of the file in bytes.
  std::int64_t LaengeInBytes();
  // True when positioned at or behind the last whole record.
  bool Ende();
  // False when the close failed (the result is pending as always).
  bool Schliessen();
  // Pushes written data through to the disk; false when that failed, with
  // the failure pending as for a write.
  bool Sichern();
  // Whether each write is flushed at once (the default), so that a full disk
  // shows at that write. Walks over many records switch it off; their
  // failures then show at the close.
  void SofortSchreiben(bool sofort) { sofort_ = sofort; }

  bool Offen() const { return datei_ != nullptr; }
  const std::filesystem::path& Pfad() const { return pfad_; }

 private:
  void Oeffne(const char* modus, std::size_t satzgroesse, bool schreibbar);
  // Flushes, ends the lock and closes; false when a step failed.
  bool Zu();
  std::FILE* datei_ = nullptr;
  // The C library's buffer, ours so that its size holds (a size without a
  // buffer of one's own is not kept everywhere); it outlives the open file.
  std::unique_ptr<char[]> puffer_;
  std::size_t puffergroesse_ = 0;
  bool gesperrt_ = false;
  std::filesystem::path pfad_;
  bool gebunden_ = false;
  bool schreibbar_ = false;
  bool letzteWarSchreiben_ = false;
  bool sofort_ = true;
  std::int64_t laenge_ = 0;  // length in bytes as far as this handle knows
  std::size_t satzgroesse_ = 1;
};

// Create one folder; result pending like a file operation.
void OrdnerAnlegen(const std::string& pfad);
// Creates every missing folder above a file path; the first failure stays
// pending like a file operation.
void OrdnerFuerDateiAnlegen(const std::string& dateipfad);
// Directory look-up: true when an entry of any kind exists at the path.
bool DateiExistiert(const std::string& pfad);

// Directory look-up: 0 when an entry of any kind exists at the path, else
// its result code (2 when there is none). Nothing is left pending.
int Nachschlagen(const std::string& pfad);
// Renames von over nach (replacing nach); the result is pending.
void Umbenennen(const std::string& von, const std::string& nach);
// Removes a file if there is one; nothing is reported.
void DateiLoeschen(const std::string& pfad);
// Gives ziel the last-modification time of quelle, in the two-second steps
// of the DOS file date; the result is pending.
void DateizeitUebernehmen(const std::string& quelle, const std::string& ziel);

// Whether the bytes are a finished PDF document: the header at the start and
// the end-of-file mark at the end (a writer stopped by a full disk leaves it
// out).
bool PdfVollstaendig(std::string_view bytes);

// Whether two paths name one file that exists (also through a hard link or
// another spelling of the path).
bool DieselbeDatei(const std::string& a, const std::string& b);

// A file written whole: its bytes go into a new file beside the target (the
// target's name with ".neu", or ".neu1" ... while another program writes
// one), which replaces the target only once it is complete and on the disk.
// Until then, and after any failure, the target stays as it was; a new file
// not put in place is removed. Failures are pending like those of the file
// steps.
class ErsatzDatei {
 public:
  explicit ErsatzDatei(const std::string& ziel);
  ~ErsatzDatei();
  ErsatzDatei(const ErsatzDatei&) = delete;
  ErsatzDatei& operator=(const ErsatzDatei&) = delete;

  // False once any step failed.
  bool Ok() const { return ok_; }
  bool Schreiben(const void* daten, std::size_t n);
  // Puts the complete file in place of the target; false when that or any
  // step before failed (the target is unchanged then).
  bool Einsetzen();
  // Drops the new file; the target stays as it was.
  void Verwerfen();

 private:
  Datei datei_;
  std::string ziel_;
  std::string neu_;
  bool ok_ = true;
};

// Writes a whole file through ErsatzDatei, so a failure leaves the old file
// untouched. Each failing step sets the pending result (IODateiName should
// name the target).
void DateiErsetzen(const std::string& pfad, const void* daten, std::size_t n);

// Checks the target of a text file the program writes whole (an export, a
// template): it is none of the files read for it (gelesen), and no file of
// the program's own kinds (.ADW, .JGA, .KON), which text would destroy. The
// refusal names the file and says why.
IOErgebnis TextzielPruefen(const std::string& ziel, const std::vector<std::string>& gelesen = {});

// Renames the file von to nach, replacing a file there (a temporary file put
// into place once it is complete). Result pending like a file operation.
void DateiUmbenennen(const std::string& von, const std::string& nach);

}  // namespace davo::app
