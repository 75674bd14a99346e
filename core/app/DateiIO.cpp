#include "app/DateiIO.h"

#include <cerrno>
#include <chrono>
#include <system_error>

#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Pfade.h"
#include "app/Plattform.h"
#include "app/Text.h"

namespace fs = std::filesystem;

namespace davo::app {

std::string IODateiName;
std::int32_t IOCode = 0;
bool IOFehler = false;

namespace {

int offenesErgebnis = 0;

bool Gestoert(IOOperation op, const fs::path& pfad) {
  const int code = IOStoerung(op, pfad);
  if (code == 0) return false;
  SetzeIOErgebnis(code);
  return true;
}

std::string Dreistellig(std::int32_t code) {
  std::string zahl = std::to_string(code);
  while (zahl.size() < 3) zahl.insert(zahl.begin(), ' ');
  return zahl;
}

bool ElternordnerFehlt(const fs::path& pfad) {
  std::error_code ec;
  fs::path eltern = pfad.parent_path();
  if (eltern.empty()) return false;
  return !fs::is_directory(eltern, ec);
}

}  // namespace

void SetzeIOErgebnis(int code) {
  if (offenesErgebnis == 0) offenesErgebnis = code;
}

int OffenesIOErgebnis() { return offenesErgebnis; }

void VerwirfIOErgebnis() { offenesErgebnis = 0; }

void LiesIOErgebnis() {
  IOCode = offenesErgebnis;
  offenesErgebnis = 0;
  IOFehler = IOCode != 0;
}

std::string IOFehlerText(std::int32_t code, const std::string& n) {
  std::string text;
  switch (code) {
    case 2: text = "Datei " + n + " nicht gefunden"; break;
    case 3: text = "Suchweg nicht gefunden! Datei: " + n; break;
    case 4: text = "Zuviel offene Dateien (" + n + ")"; break;
    case 5: text = "Dateizugriff verweigert (" + n + ")"; break;
    case 6: text = "Handle nicht definiert/ung\xFCltig"; break;
    case 12: text = "ung\xFCltiger Dateimodus"; break;
    case 15: text = "Suche: " + n + " Laufwerksnummer unzul\xE4ssig"; break;
    case 16: text = "Directory kann nicht gel\xF6scht werden"; break;
    case 18: text = "Keine Datei gefunden"; break;
    case 100: text = "Fehler beim Lesen! Datei: " + n; break;
    case 101: text = "Fehler beim Schreiben! Datei: " + n; break;
    case 103: text = "Datei " + n + " ist nicht offen"; break;
    case 104: text = "Datei ist nicht offen f\xFCr Leseoperationen"; break;
    case 105: text = "Datei ist nicht offen f\xFCr Schreiboperationen"; break;
    case 106: text = "ung\xFCltiges numerisches Format"; break;
    case 112: text = "Die Diskette ist voll!"; break;
    case 150: text = "Diskette ist schreibgesch\xFCtzt"; break;
    case 151: text = "Peripheriegrr\xE4t ist nicht bekannt"; break;
    case 152: text = "Suche: " + n + " Laufwerk nicht betriebsbereit"; break;
    case 153: text = "Unbekannter Befehl"; break;
    case 154: text = "Suche: " + n + " Pr\xFC" "fsummenfehler beim Lesen von der Disk"; break;
    case 155: text = "Ung\xFCltiger Disk-Parameterblock"; break;
    case 156: text = "Lesekopf-Positionierungsfehler"; break;
    case 157: text = "unbekanntes Sektorformat"; break;
    case 158: text = "Diskettensektor nicht gefunden"; break;
    case 159: text = "Drucker hat kein Papier "; break;
    case 160: text = "Schreibfehler beim Zugriff auf ein Peripherieger\xE4t " + n; break;
    case 161: text = "Lesefehler beim Zugriff auf ein Peripherieger\xE4t " + n; break;
    case 162: text = "Hardwarefehler oder Diskette nicht formatiert"; break;
    case 241: text = "Directory ist voll"; break;
    case 242: text = "Bearbeite " + n + " , Dateigr\xF6\xDF" "e ueberschritten"; break;
    case 255: text = "Datei " + n + " ist verschwunden"; break;
    default: text = "Unbekannter I/O Fehler:  " + Dreistellig(code) + ", " + n; break;
  }
  return Kurz(text, 255);
}

IOErgebnis IOErgebnis::Fehler(std::int32_t code, const std::string& datei) {
  return Fehler(code, datei, IOFehlerText(code, datei));
}

IOErgebnis IOErgebnis::Fehler(std::int32_t code, const std::string& datei, const std::string& text) {
  IOErgebnis e;
  e.Code = code;
  e.Datei = datei;
  e.Text = text;
  return e;
}

bool IOSchritte::Pruefe() {
  const int code = offenesErgebnis;
  offenesErgebnis = 0;
  if (code == 0) return true;
  if (ergebnis_.Ok()) ergebnis_ = IOErgebnis::Fehler(code, datei_);
  return false;
}

bool IOSchritte::Uebernimm(const IOErgebnis& ergebnis) {
  if (ergebnis.Ok()) return true;
  if (ergebnis_.Ok()) ergebnis_ = ergebnis;
  return false;
}

bool ZeigeIOErgebnis(const IOErgebnis& ergebnis) {
  if (ergebnis.Ok()) return true;
  ZeigeWarnung(ergebnis.Text);
  return false;
}

bool PruefeIOErgebnis(const IOErgebnis& ergebnis) {
  IOCode = ergebnis.Code;
  IOFehler = !ergebnis.Ok();
  if (IOFehler) IODateiName = ergebnis.Datei;
  return ZeigeIOErgebnis(ergebnis);
}

void ZeigeIOFehler() {
  if (IOFehler) ZeigeWarnung(IOFehlerText(IOCode, IODateiName));
}

void PruefeIO() {
  LiesIOErgebnis();
  ZeigeIOFehler();
}

int IOCodeAusErrno(int fehler, const fs::path& pfad) {
  switch (fehler) {
    case 0: return 0;
    case ENOENT: return ElternordnerFehlt(pfad) ? io::PfadNichtGefunden : io::DateiNichtGefunden;
    case ENOTDIR: return io::PfadNichtGefunden;
    case EMFILE:
    case ENFILE: return io::ZuvieleDateien;
    case EPERM:
    case EACCES:
    case EROFS:
    case EISDIR: return io::ZugriffVerweigert;
    case EBADF: return io::UngueltigesHandle;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return io::DiskVoll;
    case EIO: return 162;
    case ENXIO:
    case ENODEV: return 152;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return 32;  // sharing violation
    case EEXIST: return 80;
    case EINVAL: return 87;
    case ENAMETOOLONG: return 206;
    case ENOMEM: return 8;
    default: return 1000 + fehler;  // no row: shown with its own number
  }
}

// --- Datei -----------------------------------------------------------------------

Datei::~Datei() {
  if (datei_) std::fclose(datei_);
}

void Datei::Zuordnen(const std::string& pfad) {
  pfad_ = DateiPfad(pfad);
  gebunden_ = true;
  Gestoert(IOOperation::Zuordnen, pfad_);
}

void Datei::Oeffne(const char* modus, std::size_t satzgroesse, bool schreibbar) {
  if (datei_) {
    std::fclose(datei_);
    datei_ = nullptr;
  }
  satzgroesse_ = satzgroesse == 0 ? 1 : satzgroesse;
  schreibbar_ = schreibbar;
  letzteWarSchreiben_ = false;
  if (!gebunden_) {
    SetzeIOErgebnis(io::UngueltigesHandle);
    return;
  }
  std::error_code ec;
  if (fs::is_directory(pfad_, ec)) {
    SetzeIOErgebnis(io::ZugriffVerweigert);
    return;
  }
  errno = 0;
  datei_ = plattform::OeffneDatei(pfad_, modus);
  if (!datei_) {
    SetzeIOErgebnis(IOCodeAusErrno(errno == 0 ? EIO : errno, pfad_));
    return;
  }
  std::setvbuf(datei_, nullptr, _IOFBF, 1 << 16);
  laenge_ = plattform::Dateilaenge(datei_);
  if (laenge_ < 0) laenge_ = 0;
}

void Datei::Oeffnen(std::size_t satzgroesse) {
  if (Gestoert(IOOperation::Oeffnen, pfad_)) return;
  Oeffne("r+b", satzgroesse, true);
}

void Datei::OeffnenLesen(std::size_t satzgroesse) {
  if (Gestoert(IOOperation::Oeffnen, pfad_)) return;
  Oeffne("rb", satzgroesse, false);
}

void Datei::Anlegen(std::size_t satzgroesse) {
  if (Gestoert(IOOperation::Anlegen, pfad_)) return;
  Oeffne("w+b", satzgroesse, true);
}

void Datei::Suchen(std::int64_t satz) {
  if (Gestoert(IOOperation::Suchen, pfad_)) return;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return;
  }
  // Positions behind the end would leave a hole of undefined records.
  if (satz < 0 || satz > laenge_ / static_cast<std::int64_t>(satzgroesse_)) {
    SetzeIOErgebnis(io::LeseFehler);
    return;
  }
  if (!plattform::Positioniere(datei_, satz * static_cast<std::int64_t>(satzgroesse_)))
    SetzeIOErgebnis(IOCodeAusErrno(errno, pfad_));
  letzteWarSchreiben_ = false;
}

std::size_t Datei::LesenBlock(void* puffer, std::size_t n) {
  if (Gestoert(IOOperation::Lesen, pfad_)) return 0;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return 0;
  }
  if (letzteWarSchreiben_) std::fflush(datei_);
  letzteWarSchreiben_ = false;
  std::size_t gelesen = std::fread(puffer, 1, n, datei_);
  if (gelesen < n && std::ferror(datei_)) {
    SetzeIOErgebnis(IOCodeAusErrno(errno, pfad_));
    std::clearerr(datei_);
  }
  return gelesen;
}

void Datei::Lesen(void* puffer) {
  if (Gestoert(IOOperation::Lesen, pfad_)) return;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return;
  }
  if (letzteWarSchreiben_) std::fflush(datei_);
  letzteWarSchreiben_ = false;
  std::size_t gelesen = std::fread(puffer, 1, satzgroesse_, datei_);
  if (gelesen < satzgroesse_) {
    SetzeIOErgebnis(io::LeseFehler);
    std::clearerr(datei_);
  }
}

std::size_t Datei::SchreibenBlock(const void* puffer, std::size_t n) {
  if (Gestoert(IOOperation::Schreiben, pfad_)) return 0;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return 0;
  }
  if (!schreibbar_) {
    SetzeIOErgebnis(io::NichtFuerSchreiben);
    return 0;
  }
  if (!letzteWarSchreiben_) plattform::Positioniere(datei_, plattform::Position(datei_));
  letzteWarSchreiben_ = true;
  errno = 0;
  const std::int64_t anfang = plattform::Position(datei_);
  std::size_t geschrieben = std::fwrite(puffer, 1, n, datei_);
  if (anfang >= 0 && anfang + static_cast<std::int64_t>(geschrieben) > laenge_)
    laenge_ = anfang + static_cast<std::int64_t>(geschrieben);
  // Flushed at once, so a full disk shows at this write and not at the close.
  if ((sofort_ && std::fflush(datei_) != 0) || geschrieben < n) {
    int code = IOCodeAusErrno(errno, pfad_);
    SetzeIOErgebnis(code == 0 || code >= 1000 ? io::SchreibFehler : code);
    std::clearerr(datei_);
  }
  return geschrieben;
}

void Datei::Schreiben(const void* puffer) {
  std::size_t n = SchreibenBlock(puffer, satzgroesse_);
  (void)n;
}

std::int64_t Datei::Groesse() {
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return 0;
  }
  return laenge_ / static_cast<std::int64_t>(satzgroesse_);
}

std::int64_t Datei::LaengeInBytes() {
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return 0;
  }
  return laenge_;
}

bool Datei::Ende() {
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return true;
  }
  return plattform::Position(datei_) + static_cast<std::int64_t>(satzgroesse_) > laenge_;
}

void Datei::Schliessen() {
  if (Gestoert(IOOperation::Schliessen, pfad_)) {
    if (datei_) std::fclose(datei_);
    datei_ = nullptr;
    return;
  }
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return;
  }
  errno = 0;
  int ergebnis = std::fclose(datei_);
  datei_ = nullptr;
  if (ergebnis != 0) {
    int code = IOCodeAusErrno(errno, pfad_);
    SetzeIOErgebnis(code == 0 || code >= 1000 ? io::SchreibFehler : code);
  }
}

bool Datei::Sichern() { return datei_ != nullptr && plattform::Sichere(datei_); }

void OrdnerAnlegen(const std::string& pfad) {
  fs::path p = DateiPfad(pfad);
  if (Gestoert(IOOperation::OrdnerAnlegen, p)) return;
  std::error_code ec;
  if (fs::exists(p, ec)) {
    SetzeIOErgebnis(io::ZugriffVerweigert);
    return;
  }
  if (ElternordnerFehlt(p)) {
    SetzeIOErgebnis(io::PfadNichtGefunden);
    return;
  }
  if (!fs::create_directory(p, ec) || ec) SetzeIOErgebnis(ec ? IOCodeAusErrno(ec.value(), p) : io::ZugriffVerweigert);
}

void OrdnerFuerDateiAnlegen(const std::string& dateipfad) {
  const fs::path ordner = DateiPfad(dateipfad).parent_path();
  if (ordner.empty() || Gestoert(IOOperation::OrdnerAnlegen, ordner)) return;
  std::error_code ec;
  if (fs::is_directory(ordner, ec)) return;
  fs::create_directories(ordner, ec);
  if (ec) SetzeIOErgebnis(IOCodeAusErrno(ec.value(), ordner));
}

bool DateiExistiert(const std::string& pfad) {
  if (pfad.empty()) return false;
  std::error_code ec;
  return fs::exists(DateiPfad(pfad), ec);
}

namespace {
// An error of the file-system library as the errno value it stands for.
int Errno(const std::error_code& ec) {
  const int wert = ec.default_error_condition().value();
  return wert == 0 ? EIO : wert;
}
}  // namespace

int Nachschlagen(const std::string& pfad) {
  const fs::path p = DateiPfad(pfad);
  if (const int code = IOStoerung(IOOperation::Nachschlagen, p)) return code;
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(p, ec);
  if (st.type() == fs::file_type::not_found) return io::DateiNichtGefunden;
  if (ec) return IOCodeAusErrno(Errno(ec), p);
  return 0;
}

void Umbenennen(const std::string& von, const std::string& nach) {
  const fs::path ziel = DateiPfad(nach);
  if (Gestoert(IOOperation::Umbenennen, ziel)) return;
  const int fehler = plattform::Ersetze(DateiPfad(von), ziel);
  if (fehler != 0) SetzeIOErgebnis(IOCodeAusErrno(fehler, ziel));
}

void DateiLoeschen(const std::string& pfad) {
  std::error_code ec;
  fs::remove(DateiPfad(pfad), ec);
}

void DateizeitUebernehmen(const std::string& quelle, const std::string& ziel) {
  const fs::path z = DateiPfad(ziel);
  if (Gestoert(IOOperation::Dateizeit, z)) return;
  std::error_code ec;
  const fs::file_time_type zeit = fs::last_write_time(DateiPfad(quelle), ec);
  if (ec) {
    SetzeIOErgebnis(IOCodeAusErrno(Errno(ec), DateiPfad(quelle)));
    return;
  }
  // Whole seconds, down to an even one (the epochs of the file clocks lie an
  // even number of seconds apart from any other).
  using namespace std::chrono;
  auto sekunden = floor<seconds>(zeit.time_since_epoch()).count();
  sekunden -= ((sekunden % 2) + 2) % 2;
  const fs::file_time_type gerundet{duration_cast<fs::file_time_type::duration>(seconds(sekunden))};
  fs::last_write_time(z, gerundet, ec);
  if (ec) SetzeIOErgebnis(IOCodeAusErrno(Errno(ec), z));
}

void DateiErsetzen(const std::string& pfad, const void* daten, std::size_t n) {
  fs::path ziel = DateiPfad(pfad);
  fs::path neu = ziel;
  neu += ".neu";
  {
    Datei d;
    d.Zuordnen(pfad + ".neu");
    d.Anlegen(1);
    if (OffenesIOErgebnis() != 0) return;
    d.SchreibenBlock(daten, n);
    if (OffenesIOErgebnis() == 0 && !d.Sichern())
      SetzeIOErgebnis(io::SchreibFehler);
    d.Schliessen();
  }
  std::error_code ec;
  if (OffenesIOErgebnis() != 0) {
    fs::remove(neu, ec);
    return;
  }
  if (Gestoert(IOOperation::Umbenennen, ziel)) {
    fs::remove(neu, ec);
    return;
  }
  int fehler = plattform::Ersetze(neu, ziel);
  if (fehler != 0) {
    SetzeIOErgebnis(IOCodeAusErrno(fehler, ziel));
    fs::remove(neu, ec);
  }
}

void DateiUmbenennen(const std::string& von, const std::string& nach) {
  const fs::path ziel = DateiPfad(nach);
  if (Gestoert(IOOperation::Umbenennen, ziel)) return;
  const int fehler = plattform::Ersetze(DateiPfad(von), ziel);
  if (fehler != 0) SetzeIOErgebnis(IOCodeAusErrno(fehler, ziel));
}

}  // namespace davo::app
