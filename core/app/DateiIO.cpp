#include "app/DateiIO.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

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
    case 2:
      text = "Datei " + n + " nicht gefunden";
      break;
    case 3:
      text = "Suchweg nicht gefunden! Datei: " + n;
      break;
    case 4:
      text = "Zuviel offene Dateien (" + n + ")";
      break;
    case 5:
      text = "Dateizugriff verweigert (" + n + ")";
      break;
    case 6:
      text = "Handle nicht definiert/ung\xFCltig";
      break;
    case 12:
      text = "ung\xFCltiger Dateimodus";
      break;
    case 15:
      text = "Suche: " + n + " Laufwerksnummer unzul\xE4ssig";
      break;
    case 16:
      text = "Directory kann nicht gel\xF6scht werden";
      break;
    case 18:
      text = "Keine Datei gefunden";
      break;
    case 100:
      text = "Fehler beim Lesen! Datei: " + n;
      break;
    case 101:
      text = "Fehler beim Schreiben! Datei: " + n;
      break;
    case 103:
      text = "Datei " + n + " ist nicht offen";
      break;
    case 104:
      text = "Datei ist nicht offen f\xFCr Leseoperationen";
      break;
    case 105:
      text = "Datei ist nicht offen f\xFCr Schreiboperationen";
      break;
    case 106:
      text = "ung\xFCltiges numerisches Format";
      break;
    case 112:
      text = "Die Diskette ist voll!";
      break;
    case 150:
      text = "Diskette ist schreibgesch\xFCtzt";
      break;
    case 151:
      text = "Peripheriegrr\xE4t ist nicht bekannt";
      break;
    case 152:
      text = "Suche: " + n + " Laufwerk nicht betriebsbereit";
      break;
    case 153:
      text = "Unbekannter Befehl";
      break;
    case 154:
      text = "Suche: " + n +
             " Pr\xFC"
             "fsummenfehler beim Lesen von der Disk";
      break;
    case 155:
      text = "Ung\xFCltiger Disk-Parameterblock";
      break;
    case 156:
      text = "Lesekopf-Positionierungsfehler";
      break;
    case 157:
      text = "unbekanntes Sektorformat";
      break;
    case 158:
      text = "Diskettensektor nicht gefunden";
      break;
    case 159:
      text = "Drucker hat kein Papier ";
      break;
    case 160:
      text = "Schreibfehler beim Zugriff auf ein Peripherieger\xE4t " + n;
      break;
    case 161:
      text = "Lesefehler beim Zugriff auf ein Peripherieger\xE4t " + n;
      break;
    case 162:
      text = "Hardwarefehler oder Diskette nicht formatiert";
      break;
    case 241:
      text = "Directory ist voll";
      break;
    case 242:
      text = "Bearbeite " + n +
             " , Dateigr\xF6\xDF"
             "e ueberschritten";
      break;
    case 255:
      text = "Datei " + n + " ist verschwunden";
      break;
    case io::InBenutzung:
      text =
          "Die Datei " + n + " wird gerade von einem anderen Programm benutzt. Bitte sp\xE4ter noch einmal versuchen.";
      break;
    case io::KeineNormaleDatei:
      text = n + " ist keine gew\xF6hnliche Datei (sondern etwa ein Ger\xE4t, eine Pipe oder ein Socket).";
      break;
    case io::UngueltigeGroesse:
      text = "Die Datei " + n + " ist keine g\xFCltige Adressendatei.";
      break;
    case io::SummeZuGross:
      text = "Summe zu gro\xDF (" + n + ")";
      break;
    default:
      text = "Unbekannter I/O Fehler:  " + Dreistellig(code) + ", " + n;
      break;
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
    case 0:
      return 0;
    case ENOENT:
      return ElternordnerFehlt(pfad) ? io::PfadNichtGefunden : io::DateiNichtGefunden;
    case ENOTDIR:
      return io::PfadNichtGefunden;
    case EMFILE:
    case ENFILE:
      return io::ZuvieleDateien;
    case EPERM:
    case EACCES:
    case EROFS:
    case EISDIR:
      return io::ZugriffVerweigert;
    case EBADF:
      return io::UngueltigesHandle;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return io::DiskVoll;
    case EIO:
      return 162;
    case ENXIO:
    case ENODEV:
      return 152;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return 32;  // sharing violation
    case EEXIST:
      return 80;
    case EINVAL:
      return 87;
    case ENAMETOOLONG:
      return 206;
    case ENOMEM:
      return 8;
    default:
      return 1000 + fehler;  // no row: shown with its own number
  }
}

// --- Datei -----------------------------------------------------------------------

Datei::~Datei() {
  if (datei_) Zu();
}

bool Datei::Zu() {
  errno = 0;
  bool ok = std::fflush(datei_) == 0;
  // Unlocked only once everything written is out of the buffer.
  if (gesperrt_) plattform::Entsperre(datei_);
  gesperrt_ = false;
  ok = std::fclose(datei_) == 0 && ok;
  datei_ = nullptr;
  return ok;
}

void Datei::Zuordnen(const std::string& pfad) {
  pfad_ = DateiPfad(pfad);
  gebunden_ = true;
  Gestoert(IOOperation::Zuordnen, pfad_);
}

void Datei::Oeffne(const char* modus, std::size_t satzgroesse, bool schreibbar) {
  if (datei_) Zu();
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
  bool keineDatei = false;
  datei_ = plattform::OeffneDatei(pfad_, modus, &keineDatei);
  if (!datei_) {
    SetzeIOErgebnis(keineDatei ? io::KeineNormaleDatei : IOCodeAusErrno(errno == 0 ? EIO : errno, pfad_));
    return;
  }
  // A buffer of whole records: it goes to the disk at a record's end.
  const std::size_t groesse = satzgroesse_ * std::max<std::size_t>(1, (1 << 16) / satzgroesse_);
  if (puffergroesse_ != groesse) {
    puffer_ = std::make_unique<char[]>(groesse);
    puffergroesse_ = groesse;
  }
  std::setvbuf(datei_, puffer_.get(), _IOFBF, groesse);
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

void Datei::AnlegenNeu(std::size_t satzgroesse) {
  if (Gestoert(IOOperation::Anlegen, pfad_)) return;
  Oeffne("w+bx", satzgroesse, true);
}

void Datei::Sperren(bool exklusiv) {
  if (Gestoert(IOOperation::Sperren, pfad_)) return;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return;
  }
  const auto ende = std::chrono::steady_clock::now() + SperrWartezeit();
  for (;;) {
    errno = 0;
    switch (plattform::Sperre(datei_, exklusiv)) {
      case plattform::Sperrversuch::Gesperrt:
        gesperrt_ = true;
        // What another program wrote before is read from the file, not
        // from a buffer filled before the lock.
        plattform::Positioniere(datei_, plattform::Position(datei_));
        laenge_ = std::max<std::int64_t>(plattform::Dateilaenge(datei_), 0);
        return;
      case plattform::Sperrversuch::NichtMoeglich:
        return;
      case plattform::Sperrversuch::Fehlgeschlagen:
        SetzeIOErgebnis(IOCodeAusErrno(errno == 0 ? EIO : errno, pfad_));
        return;
      case plattform::Sperrversuch::Belegt:
        break;
    }
    if (std::chrono::steady_clock::now() >= ende) {
      SetzeIOErgebnis(io::InBenutzung);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void Datei::Kuerzen(std::int64_t bytes) {
  if (Gestoert(IOOperation::Kuerzen, pfad_)) return;
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return;
  }
  if (!schreibbar_) {
    SetzeIOErgebnis(io::NichtFuerSchreiben);
    return;
  }
  errno = 0;
  if (!plattform::Kuerze(datei_, bytes)) {
    const int code = IOCodeAusErrno(errno, pfad_);
    SetzeIOErgebnis(code == 0 || code >= 1000 ? io::SchreibFehler : code);
    return;
  }
  laenge_ = bytes;
  letzteWarSchreiben_ = false;
  plattform::Positioniere(datei_, bytes);
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

bool Datei::Schliessen() {
  if (Gestoert(IOOperation::Schliessen, pfad_)) {
    if (datei_) Zu();
    return false;
  }
  if (!datei_) {
    SetzeIOErgebnis(io::NichtOffen);
    return false;
  }
  if (!Zu()) {
    int code = IOCodeAusErrno(errno, pfad_);
    SetzeIOErgebnis(code == 0 || code >= 1000 ? io::SchreibFehler : code);
    return false;
  }
  return true;
}

bool Datei::Sichern() {
  if (!datei_) return false;
  errno = 0;
  if (plattform::Sichere(datei_)) return true;
  // What is still in the buffer goes out here: a full disk is named as such.
  const int code = IOCodeAusErrno(errno, pfad_);
  SetzeIOErgebnis(code == 0 || code >= 1000 ? io::SchreibFehler : code);
  return false;
}

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

bool DieselbeDatei(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(DateiPfad(a), DateiPfad(b), ec) && !ec;
}

ErsatzDatei::ErsatzDatei(const std::string& ziel) : ziel_(ziel) {
  // The first name that no other program is writing right now; a leftover
  // of a crash counts as such, and is passed over too.
  for (int i = 0; i < 100; ++i) {
    neu_ = ziel + ".neu" + (i == 0 ? std::string() : std::to_string(i));
    datei_.Zuordnen(neu_);
    datei_.AnlegenNeu(1);
    if (datei_.Offen() || OffenesIOErgebnis() != 80) break;
    VerwirfIOErgebnis();
  }
  ok_ = datei_.Offen();
  if (ok_) datei_.SofortSchreiben(false);
}

ErsatzDatei::~ErsatzDatei() { Verwerfen(); }

bool ErsatzDatei::Schreiben(const void* daten, std::size_t n) {
  if (ok_ && datei_.SchreibenBlock(daten, n) < n) ok_ = false;
  return ok_;
}

bool ErsatzDatei::Einsetzen() {
  if (!datei_.Offen()) return false;
  if (ok_ && !datei_.Sichern()) {
    SetzeIOErgebnis(io::SchreibFehler);
    ok_ = false;
  }
  ok_ = datei_.Schliessen() && ok_;
  const fs::path ziel = DateiPfad(ziel_);
  if (ok_ && Gestoert(IOOperation::Umbenennen, ziel)) ok_ = false;
  if (ok_) {
    const int fehler = plattform::Ersetze(DateiPfad(neu_), ziel);
    if (fehler != 0) {
      SetzeIOErgebnis(IOCodeAusErrno(fehler, ziel));
      ok_ = false;
    }
  }
  const bool eingesetzt = ok_;
  if (eingesetzt) neu_.clear();
  Verwerfen();
  return eingesetzt;
}

void ErsatzDatei::Verwerfen() {
  if (datei_.Offen()) datei_.Schliessen();
  ok_ = false;
  if (neu_.empty()) return;
  std::error_code ec;
  fs::remove(DateiPfad(neu_), ec);
  neu_.clear();
}

void DateiErsetzen(const std::string& pfad, const void* daten, std::size_t n) {
  ErsatzDatei datei(pfad);
  datei.Schreiben(daten, n);
  datei.Einsetzen();
}

namespace {
bool EndetMit(const std::string& text, const char* endung) {
  const std::size_t n = std::char_traits<char>::length(endung);
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (GrossBuchstabe(text[text.size() - n + i]) != endung[i]) return false;
  return true;
}
}  // namespace

IOErgebnis TextzielPruefen(const std::string& ziel, const std::vector<std::string>& gelesen) {
  for (const std::string& quelle : gelesen)
    if (DieselbeDatei(ziel, quelle))
      return IOErgebnis::Fehler(io::ZugriffVerweigert, ziel,
                                Kurz("Die Datei " + ziel +
                                         " wird gelesen und darf darum nicht zugleich geschrieben werden. Es wurde "
                                         "nichts geschrieben.",
                                     255));
  for (const char* endung : {".ADW", ".JGA", ".KON"})
    if (EndetMit(ziel, endung))
      return IOErgebnis::Fehler(
          io::ZugriffVerweigert, ziel,
          Kurz("In die Datei " + ziel + " wird keine Textdatei geschrieben: Dateien mit der Endung " + endung +
                   " geh\xF6ren dem Programm. Es wurde nichts geschrieben.",
               255));
  return IOErgebnis();
}

bool PdfVollstaendig(std::string_view bytes) {
  while (!bytes.empty() && std::isspace(static_cast<unsigned char>(bytes.back()))) bytes.remove_suffix(1);
  return bytes.starts_with("%PDF-") && bytes.ends_with("%%EOF");
}

void DateiUmbenennen(const std::string& von, const std::string& nach) {
  const fs::path ziel = DateiPfad(nach);
  if (Gestoert(IOOperation::Umbenennen, ziel)) return;
  const int fehler = plattform::Ersetze(DateiPfad(von), ziel);
  if (fehler != 0) SetzeIOErgebnis(IOCodeAusErrno(fehler, ziel));
}

}  // namespace davo::app
