// The printing commands: "serienbrief" prints form letters and "adressenliste"
// the address list of the form-letter window, both into one PDF file. The
// letters and the list go through the report engine exactly as in the desktop
// program; only the printer is a PDF writer and the print dialog is answered
// with yes. Builds without Qt refuse both commands.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Befehle.h"
#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "app/Text.h"
#include "letters/Serienbrief.h"
#include "printing/Druckflaeche.h"

#if DAVO_MIT_PDF
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <memory>

#include "QtDruckflaeche.h"
#endif

namespace davo::cli {

namespace {

void Melde(std::string_view utf8) { app::ZeigeMeldung(app::Utf8NachAnsi(utf8)); }

// ---------------------------------------------------------------------------
// The command lines

constexpr const char* kSerienbriefAufruf =
    "davo serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G) --pdf AUSGABE.PDF";
constexpr const char* kAdressenlisteAufruf = "davo adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF";

struct DruckAufruf {
  std::vector<std::string> Dateien;  // the file arguments in order (UTF-8)
  std::optional<std::int64_t> Adresse;
  std::optional<int> Gruppe;
  std::optional<std::string> Pdf;
  std::string Fehler;  // usage error; empty when the line is fine
};

// Reads FILE arguments and the options; mitAdresse: whether --adresse is
// allowed. The counts and combinations are checked by the caller.
DruckAufruf LiesDruckAufruf(const std::string& befehl, const std::vector<std::string>& argumente, bool mitAdresse) {
  DruckAufruf a;
  const auto falsch = [&a](std::string text) {
    a.Fehler = std::move(text);
    return a;
  };
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (arg.size() < 2 || arg[0] != '-') {
      if (arg.empty()) return falsch("Ein Dateiname ist leer.");
      a.Dateien.push_back(arg);
      continue;
    }
    const std::size_t gleich = arg.find('=');
    const std::string name = arg.substr(0, gleich);
    const bool bekannt = name == "--gruppe" || name == "--pdf" || (mitAdresse && name == "--adresse");
    if (!bekannt) return falsch("Unbekannte Option " + name + " für " + befehl + ".");
    std::string wert;
    if (gleich != std::string::npos)
      wert = arg.substr(gleich + 1);
    else if (i + 1 < argumente.size() && argumente[i + 1].rfind("--", 0) != 0)
      wert = argumente[++i];
    if (wert.empty()) return falsch("Nach " + name + " fehlt der Wert.");

    if (name == "--pdf") {
      if (a.Pdf) return falsch("Die Option --pdf ist doppelt angegeben.");
      a.Pdf = wert;
    } else if (name == "--adresse") {
      if (a.Adresse) return falsch("Die Option --adresse ist doppelt angegeben.");
      a.Adresse = LiesNummer(wert);
      if (!a.Adresse) return falsch("Die Adressennummer muss eine Zahl sein, nicht \"" + wert + "\".");
    } else {
      if (a.Gruppe) return falsch("Die Option --gruppe ist doppelt angegeben.");
      const std::optional<std::int64_t> g = LiesNummer(wert);
      if (!g || wert[0] == '+' || wert[0] == '-' || *g > 255)
        return falsch("Die Gruppe muss eine Zahl von 0 bis 255 sein, nicht \"" + wert + "\".");
      a.Gruppe = static_cast<int>(*g);
    }
  }
  return a;
}

#if DAVO_MIT_PDF

// A text written here in UTF-8 as program text.
std::string Ansi(std::string_view utf8) { return app::Utf8NachAnsi(utf8); }

// ---------------------------------------------------------------------------
// The PDF printer

// One PDF file (A4, 600 dpi) for every print job of a command: the first job
// starts the document, each further job starts a new page of it, and the end
// of a job ends nothing; Abschliessen ends the document.
class PdfSammelflaeche : public printing::Druckflaeche {
 public:
  explicit PdfSammelflaeche(const QString& pfad) : schreiber_(pfad), flaeche_(&schreiber_) {
    schreiber_.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    schreiber_.setResolution(600);
    schreiber_.setCreator(QStringLiteral("davo"));
  }

  int SeitenBreite() override { return flaeche_.SeitenBreite(); }
  int SeitenHoehe() override { return flaeche_.SeitenHoehe(); }
  bool Querformat() override { return flaeche_.Querformat(); }
  void SetzeQuerformat(bool quer) override { flaeche_.SetzeQuerformat(quer); }
  void SetzeTitel(const std::string& titel) override { flaeche_.SetzeTitel(titel); }
  void DokumentBeginnen() override {
    if (begonnen_)
      flaeche_.NeueSeite();
    else
      flaeche_.DokumentBeginnen();
    begonnen_ = true;
    ++auftraege_;
  }
  void NeueSeite() override { flaeche_.NeueSeite(); }
  void DokumentBeenden() override {}
  void SetzeSchrift(const std::string& name) override { flaeche_.SetzeSchrift(name); }
  void SetzeSchriftgroesse(int punkte) override { flaeche_.SetzeSchriftgroesse(punkte); }
  void SetzeFett(bool fett) override { flaeche_.SetzeFett(fett); }
  int TextBreite(const std::string& text) override { return flaeche_.TextBreite(text); }
  int TextHoehe(const std::string& text) override { return flaeche_.TextHoehe(text); }
  void Text(int x, int y, const std::string& text) override { flaeche_.Text(x, y, text); }
  void Linie(int x1, int y1, int x2, int y2) override { flaeche_.Linie(x1, y1, x2, y2); }

  void Abschliessen() {
    if (begonnen_) flaeche_.DokumentBeenden();
    begonnen_ = false;
  }
  int Auftraege() const { return auftraege_; }

 private:
  QPdfWriter schreiber_;  // declared first: outlives the surface drawing on it
  qtdruck::QtDruckflaeche flaeche_;
  bool begonnen_ = false;
  int auftraege_ = 0;
};

// Forwards to the dialog service installed before it, says yes to the print
// dialog (the PDF file is the printer) and counts the messages, which report
// file errors.
class PdfDialoge : public app::DialogDienst {
 public:
  PdfDialoge() : innen_(app::AktuellerDialogDienst()) { app::InstalliereDialogDienst(this); }
  ~PdfDialoge() override { app::InstalliereDialogDienst(innen_); }
  PdfDialoge(const PdfDialoge&) = delete;
  PdfDialoge& operator=(const PdfDialoge&) = delete;

  int Meldungen() const { return meldungen_; }

  void Meldung(const std::string& text) override {
    ++meldungen_;
    if (innen_) innen_->Meldung(text);
  }
  app::FrageErgebnis Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) override {
    if (innen_) return innen_->Frage(oben, frage, jaVorgewaehlt);
    return jaVorgewaehlt ? app::FrageErgebnis::Ja : app::FrageErgebnis::Nein;
  }
  void Fortschritt(const std::string& text, int position) override {
    if (innen_) innen_->Fortschritt(text, position);
  }
  std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege, int index) override {
    return innen_ ? innen_->Auswahl(titel, eintraege, index) : std::nullopt;
  }
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog& dialog) override {
    return innen_ ? innen_->DateiOeffnen(dialog) : std::nullopt;
  }
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog& dialog) override {
    return innen_ ? innen_->DateiSpeichern(dialog) : std::nullopt;
  }
  bool Druckdialog() override { return true; }
  void ShellOeffnen(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                    int anzeige) override {
    if (innen_) innen_->ShellOeffnen(datei, parameter, verzeichnis, anzeige);
  }
  void Piep() override {
    if (innen_) innen_->Piep();
  }

 private:
  app::DialogDienst* innen_;
  int meldungen_ = 0;
};

// Qt for fonts and the PDF writer, without a display unless one is asked
// for; an application object that exists already is used.
class QtSitzung {
 public:
  QtSitzung() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (!QGuiApplication::instance()) anwendung_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

 private:
  static inline int argc_ = 1;
  static inline char name_[] = "davo";
  static inline char* argv_[] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> anwendung_;
};

// The PDF printer installed in place of the printer for one command.
class PdfDrucker {
 public:
  explicit PdfDrucker(const QString& pfad) : flaeche_(pfad), vorher_(printing::Drucker()) {
    printing::InstalliereDrucker(&flaeche_);
  }
  ~PdfDrucker() {
    flaeche_.Abschliessen();
    printing::InstalliereDrucker(vorher_);
  }
  PdfDrucker(const PdfDrucker&) = delete;
  PdfDrucker& operator=(const PdfDrucker&) = delete;

  int Auftraege() const { return flaeche_.Auftraege(); }

 private:
  PdfSammelflaeche flaeche_;
  printing::Druckflaeche* vorher_;
};

// ---------------------------------------------------------------------------
// Files

bool DieselbeDatei(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(app::DateiPfad(a), app::DateiPfad(b), ec);
}

// The output may not be one of the files read: writing it would destroy them.
bool AusgabeErlaubt(const std::string& ausgabe, const std::vector<std::string>& eingaben) {
  if (!app::DateiExistiert(ausgabe)) return true;
  for (const std::string& e : eingaben)
    if (DieselbeDatei(ausgabe, e)) {
      app::ZeigeMeldung(Ansi("Die PDF-Datei darf keine der gelesenen Dateien sein: ") + ausgabe);
      return false;
    }
  return true;
}

// Creates the output file, which shows at once whether it can be written.
bool AusgabeAnlegen(const std::string& pfad) {
  app::IODateiName = pfad;
  app::Datei datei;
  datei.Zuordnen(pfad);
  app::PruefeIO();
  if (app::IOFehler) return false;
  datei.Anlegen(1);
  app::PruefeIO();
  if (app::IOFehler) return false;
  datei.Schliessen();
  app::PruefeIO();
  return !app::IOFehler;
}

QString QtPfad(const std::string& ansi) { return QString::fromStdU16String(app::DateiPfad(ansi).u16string()); }

// True when the writer left a PDF file; else says so.
bool PdfGeschrieben(const std::string& pfad) {
  QFile datei(QtPfad(pfad));
  if (datei.open(QIODevice::ReadOnly) && datei.read(5) == "%PDF-") return true;
  app::ZeigeMeldung(Ansi("Die PDF-Datei konnte nicht geschrieben werden: ") + pfad);
  return false;
}

// Checks the output path and creates the file; the paths read are passed to
// keep them from being overwritten.
std::optional<std::string> Ausgabe(const std::string& utf8, const std::vector<std::string>& eingaben) {
  std::optional<std::string> pfad = AnsiPfad(utf8);
  if (!pfad || !AusgabeErlaubt(*pfad, eingaben) || !AusgabeAnlegen(*pfad)) return std::nullopt;
  return pfad;
}

std::string KeineGruppeText(int gruppe) {
  return "Keine Adresse der Datei gehört zur Gruppe " + std::to_string(gruppe) +
         "; es wurde keine PDF-Datei geschrieben.";
}

// ---------------------------------------------------------------------------
// The commands

int SerienbriefePdf(const std::string& vorlage, const std::string& adressdatei, const DruckAufruf& aufruf) {
  addresses::AdrDateiName = adressdatei;
  PdfDialoge dialoge;

  // The letters in printing order: one record, or the list of the group.
  std::vector<std::int32_t> saetze;
  if (aufruf.Adresse) {
    if (!addresses::AdresseLesen(-1)) return ExitAbgelehnt;
    const std::int64_t nr = *aufruf.Adresse;
    const std::int32_t anzahl = addresses::AnzahlAdressen;
    if (nr < 1 || nr > anzahl) {
      Melde("Die Adresse Nr. " + std::to_string(nr) + " gibt es nicht: Die Datei enthält " + std::to_string(anzahl) +
            (anzahl == 1 ? " Adresse." : " Adressen."));
      return ExitAbgelehnt;
    }
    saetze.push_back(static_cast<std::int32_t>(nr - 1));
  } else {
    letters::SerienbriefModell modell;
    modell.Gruppe = *aufruf.Gruppe;
    modell.GruppeEinfuegen();
    if (dialoge.Meldungen() > 0) return ExitAbgelehnt;
    if (modell.Liste.empty()) {
      Melde(KeineGruppeText(*aufruf.Gruppe));
      return ExitAbgelehnt;
    }
    for (const addresses::AdrZeile& z : modell.Liste) saetze.push_back(z.Nr);
  }

  const std::optional<std::string> ausgabe = Ausgabe(*aufruf.Pdf, {vorlage, adressdatei});
  if (!ausgabe) return ExitAbgelehnt;

  const int meldungenVorher = dialoge.Meldungen();
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    for (const std::int32_t nr : saetze) {
      addresses::AdresseLesen(nr);
      letters::SerienbriefDrucken(vorlage);
    }
  }
  if (!PdfGeschrieben(*ausgabe)) return ExitAbgelehnt;
  return dialoge.Meldungen() == meldungenVorher ? ExitErledigt : ExitAbgelehnt;
}

int AdressenlistePdf(const std::string& adressdatei, const std::string& adressdateiUtf8, const DruckAufruf& aufruf) {
  // The list looks for a file next to the active address file afterwards.
  if (!AktiveDateiSetzen(adressdatei, adressdateiUtf8)) return ExitAbgelehnt;
  addresses::AdrDateiName = adressdatei;
  PdfDialoge dialoge;

  letters::SerienbriefModell modell;
  modell.Gruppe = *aufruf.Gruppe;
  modell.GruppeEinfuegen();
  if (dialoge.Meldungen() > 0) return ExitAbgelehnt;
  if (modell.Liste.empty()) {
    Melde(KeineGruppeText(*aufruf.Gruppe));
    return ExitAbgelehnt;
  }

  const std::optional<std::string> ausgabe = Ausgabe(*aufruf.Pdf, {adressdatei});
  if (!ausgabe) return ExitAbgelehnt;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    // Its closing step reports the missing ".htm" file as a message; that
    // is no failure of the list.
    modell.ListeDrucken();
  }
  return PdfGeschrieben(*ausgabe) ? ExitErledigt : ExitAbgelehnt;
}

#else

int OhnePdf() {
  Melde("Diese Ausgabe von davo kann keine PDF-Dateien schreiben: Sie wurde ohne Qt gebaut.");
  return ExitAbgelehnt;
}

#endif

}  // namespace

int SerienbriefeDrucken(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  const DruckAufruf aufruf = LiesDruckAufruf("serienbrief", argumente, true);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
  if (aufruf.Dateien.size() != 2)
    return Aufruffehler(fehler,
                        "serienbrief erwartet eine Vorlage und eine Adressendatei: " + std::string(kSerienbriefAufruf));
  if (aufruf.Adresse.has_value() == aufruf.Gruppe.has_value())
    return Aufruffehler(fehler,
                        "serienbrief erwartet entweder --adresse oder --gruppe: " + std::string(kSerienbriefAufruf));
  if (!aufruf.Pdf) return Aufruffehler(fehler, "Es fehlt die Option --pdf: " + std::string(kSerienbriefAufruf));

#if DAVO_MIT_PDF
  const std::optional<std::string> vorlage = AnsiPfad(aufruf.Dateien[0]);
  if (!vorlage) return ExitAbgelehnt;
  if (!app::DateiExistiert(*vorlage)) {
    Melde("Bitte Datei für Serienbriefausgabe wählen!");
    return ExitAbgelehnt;
  }
  const std::optional<std::string> adressdatei = AnsiPfad(aufruf.Dateien[1]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  return SerienbriefePdf(*vorlage, *adressdatei, aufruf);
#else
  return OhnePdf();
#endif
}

int AdressenlisteDrucken(const std::vector<std::string>& argumente, std::ostream& /*aus*/, std::ostream& fehler) {
  const DruckAufruf aufruf = LiesDruckAufruf("adressenliste", argumente, false);
  if (!aufruf.Fehler.empty()) return Aufruffehler(fehler, aufruf.Fehler);
  if (aufruf.Dateien.size() != 1)
    return Aufruffehler(fehler,
                        "adressenliste erwartet genau eine Adressendatei: " + std::string(kAdressenlisteAufruf));
  if (!aufruf.Gruppe) return Aufruffehler(fehler, "Es fehlt die Option --gruppe: " + std::string(kAdressenlisteAufruf));
  if (!aufruf.Pdf) return Aufruffehler(fehler, "Es fehlt die Option --pdf: " + std::string(kAdressenlisteAufruf));

#if DAVO_MIT_PDF
  const std::optional<std::string> adressdatei = AnsiPfad(aufruf.Dateien[0]);
  if (!adressdatei || !DateiVorhanden(*adressdatei)) return ExitAbgelehnt;
  return AdressenlistePdf(*adressdatei, aufruf.Dateien[0], aufruf);
#else
  return OhnePdf();
#endif
}

}  // namespace davo::cli
