#include "payout/Sepa.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "app/Bankdaten.h"
#include "app/DateiIO.h"
#include "app/Dateikopie.h"
#include "app/Dialoge.h"
#include "app/Hauptmenue.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"
#include "printing/Druck.h"
#include "printing/Druckflaeche.h"

namespace davo::payout {

using namespace davo::app;

namespace {

const char* const kNichtsGeschrieben = " Es wurde keine Sepa-Datei erstellt.";

std::string Fuenfstellig(std::int64_t n) {
  std::string s = std::to_string(n);
  if (s.size() < 5) s.insert(0, 5 - s.size(), '0');
  return s;
}

bool Leer(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool Maskieren(char c) {
  return c == '&' || c == '<' || c == '>' || c == '"' || c == '\'' || static_cast<unsigned char>(c) >= 0x80;
}

// A value as XML text: the markup characters escaped, bytes beyond ASCII as
// UTF-8 (the file declares that encoding).
void Wert(std::string& aus, std::string_view ansi) {
  if (std::none_of(ansi.begin(), ansi.end(), Maskieren)) {
    aus += ansi;
    return;
  }
  for (char c : ansi) {
    switch (c) {
      case '&':
        aus += "&amp;";
        break;
      case '<':
        aus += "&lt;";
        break;
      case '>':
        aus += "&gt;";
        break;
      case '"':
        aus += "&quot;";
        break;
      case '\'':
        aus += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x80)
          aus.push_back(c);
        else
          aus += AnsiNachUtf8(std::string_view(&c, 1));
        break;
    }
  }
}

// An IBAN or BIC as the file holds it: without blanks, in capitals.
void Kennung(std::string& aus, std::string_view text) {
  if (text.find(' ') == std::string_view::npos &&
      std::none_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    Wert(aus, text);
    return;
  }
  Wert(aus, BankkennungNormal(text));
}

bool SepaZeichen(char c) {
  return c == ' ' || c == '(' || c == ')' || c == '+' || c == ',' || c == '-' || c == '.' || c == '/' || c == ':' ||
         c == '?' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A name or text in the SEPA character set, cut to its limit. The fields of
// the release list are that already, and then go in as they are.
void Text(std::string& aus, std::string_view text, std::size_t grenze) {
  if (text.size() <= 255 && std::all_of(text.begin(), text.end(), SepaZeichen)) {
    Wert(aus, text.substr(0, grenze));
    return;
  }
  Wert(aus, Kurz(SepaText(text), grenze));
}

// A file written through large buffered writes under a temporary name. The
// first failure (naming the file) is the result of Abschliessen, which then
// removes the temporary file.
class Schreiber {
 public:
  explicit Schreiber(std::string pfad) : pfad_(std::move(pfad)), temporaer_(pfad_ + ".neu"), schritte_(pfad_) {
    datei_.Zuordnen(temporaer_);
    schritte_.Pruefe();
    datei_.Anlegen(1);
    schritte_.Pruefe();
    datei_.SofortSchreiben(false);
    puffer_.reserve(kBlock + 4096);
  }

  std::string& Puffer() { return puffer_; }
  void Weiter() {
    if (puffer_.size() >= kBlock) Leeren();
  }

  // Success when the whole file is on the disk.
  IOErgebnis Abschliessen() {
    Leeren();
    if (datei_.Offen()) {
      if (schritte_.Ok() && !datei_.Sichern()) SetzeIOErgebnis(io::SchreibFehler);
      datei_.Schliessen();
      schritte_.Pruefe();
    }
    if (!schritte_.Ok()) Verwerfen();
    return schritte_.Ergebnis();
  }
  void Verwerfen() const { DateiLoeschen(temporaer_); }
  const std::string& Temporaer() const { return temporaer_; }

 private:
  static constexpr std::size_t kBlock = 1 << 20;
  void Leeren() {
    if (!puffer_.empty() && datei_.Offen() && schritte_.Ok()) {
      datei_.SchreibenBlock(puffer_.data(), puffer_.size());
      schritte_.Pruefe();
    }
    puffer_.clear();
  }
  std::string pfad_, temporaer_;
  IOSchritte schritte_;
  Datei datei_;
  std::string puffer_;
};

IOErgebnis XmlSchreiben(const AdressenlisteModell& liste, const SepaVorgaben& v, const SepaLauf& lauf) {
  const bool neu = v.Format == SepaFormat::Pain09;
  const std::string bic = neu ? "BICFI" : "BIC";
  Schreiber datei(lauf.XmlPfad);
  std::string& x = datei.Puffer();
  x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:";
  x += SepaSchema(v.Format);
  x += "\"><CstmrCdtTrfInitn><GrpHdr><MsgId>";
  Wert(x, lauf.Sammlerreferenz);
  x += "</MsgId><CreDtTm>";
  Wert(x, lauf.Zeitstempel);
  const std::string anzahl = std::to_string(lauf.Anzahl);
  const std::string summe = SepaBetrag(lauf.Summe);
  x += "</CreDtTm><NbOfTxs>" + anzahl + "</NbOfTxs><CtrlSum>" + summe + "</CtrlSum><InitgPty><Nm>";
  Text(x, v.Auftraggeber, kNamensgrenze);
  x += "</Nm></InitgPty></GrpHdr><PmtInf><PmtInfId>";
  Wert(x, lauf.Sammlerreferenz);
  x += "</PmtInfId><PmtMtd>TRF</PmtMtd>";
  if (neu) x += "<NbOfTxs>" + anzahl + "</NbOfTxs><CtrlSum>" + summe + "</CtrlSum>";
  x += "<PmtTpInf><SvcLvl><Cd>SEPA</Cd></SvcLvl></PmtTpInf><ReqdExctnDt>";
  x += neu ? "<Dt>" + DatumISO(v.Ausfuehrung) + "</Dt>" : DatumISO(v.Ausfuehrung);
  x += "</ReqdExctnDt><Dbtr><Nm>";
  Text(x, v.Auftraggeber, kNamensgrenze);
  x += "</Nm></Dbtr><DbtrAcct><Id><IBAN>";
  Kennung(x, v.IBAN);
  x += "</IBAN></Id></DbtrAcct><DbtrAgt><FinInstnId><" + bic + ">";
  Kennung(x, v.BIC);
  x += "</" + bic + "></FinInstnId></DbtrAgt><ChrgBr>SLEV</ChrgBr>";
  // The pieces of a transaction between its values.
  const std::string betrag = "</EndToEndId></PmtId><Amt><InstdAmt Ccy=\"EUR\">";
  const std::string agent = "</InstdAmt></Amt><CdtrAgt><FinInstnId><" + bic + ">";
  const std::string name = "</" + bic + "></FinInstnId></CdtrAgt><Cdtr><Nm>";
  const std::string konto = "</Nm></Cdtr><CdtrAcct><Id><IBAN>";
  const std::string zweck = "</IBAN></Id></CdtrAcct><RmtInf><Ustrd>";
  const std::string ende = "</Ustrd></RmtInf></CdtTrfTxInf>";
  for (const Freigabeposten& p : liste.Freigabe) {
    if (!p.Markiert) continue;
    x += "<CdtTrfTxInf><PmtId><EndToEndId>";
    Wert(x, p.Feld(6));
    x += betrag;
    Wert(x, SepaBetragText(p.Feld(1)));
    x += agent;
    Kennung(x, p.Feld(3));
    x += name;
    Text(x, p.Feld(2), kNamensgrenze);
    x += konto;
    Kennung(x, p.Feld(4));
    x += zweck;
    Text(x, p.Feld(5), kTextgrenze);
    x += ende;
    datei.Weiter();
  }
  x += "</PmtInf></CstmrCdtTrfInitn></Document>";
  return datei.Abschliessen();
}

IOErgebnis CsvSchreiben(const AdressenlisteModell& liste, const SepaLauf& lauf) {
  Schreiber datei(lauf.CsvPfad);
  for (const Freigabeposten& p : liste.Freigabe) {
    if (!p.Markiert) continue;
    datei.Puffer() += p.Text;
    datei.Puffer() += "\r\n";
    datei.Weiter();
  }
  return datei.Abschliessen();
}

// Both temporary files into place, the XML file first; when the CSV file
// cannot follow, the XML file goes again, so that neither is left alone.
IOErgebnis Einsetzen(const SepaLauf& lauf) {
  IOSchritte s(lauf.XmlPfad);
  Umbenennen(lauf.XmlPfad + ".neu", lauf.XmlPfad);
  if (!s.Pruefe()) {
    DateiLoeschen(lauf.XmlPfad + ".neu");
    DateiLoeschen(lauf.CsvPfad + ".neu");
    return s.Ergebnis();
  }
  s.Datei(lauf.CsvPfad);
  Umbenennen(lauf.CsvPfad + ".neu", lauf.CsvPfad);
  if (!s.Pruefe()) {
    DateiLoeschen(lauf.CsvPfad + ".neu");
    DateiLoeschen(lauf.XmlPfad);
  }
  return s.Ergebnis();
}

// The run number the references were built with must still be the next one:
// a file written meanwhile (by another window or the command line) would
// otherwise get its references a second time.
bool LaufnummerPasst(const AdressenlisteModell& liste, const addresses::Adressdatei& datei,
                     const TAuszahlungsEinstellungen& e) {
  const std::int32_t lauf = liste.FreigabeLauf;
  if (lauf <= 0 || lauf == std::numeric_limits<std::int32_t>::max()) {
    ZeigeMeldung("Die Laufnummer der Auszahlungseinstellungen ist ung\xFCltig (" + std::to_string(lauf - 1) + ")." +
                 kNichtsGeschrieben);
    return false;
  }
  std::int32_t jetzt = e.Laufnummer();
  if (const std::optional<std::int32_t> inDatei = LaufnummerDerDatei(datei); inDatei && *inDatei > jetzt)
    jetzt = *inDatei;
  if (jetzt != lauf - 1) {
    ZeigeMeldung("Inzwischen wurde eine weitere Sepa-Datei erstellt (Laufnummer " + std::to_string(jetzt) +
                 "). Bitte die Liste neu aufbauen, damit keine Referenz doppelt vergeben wird." + kNichtsGeschrieben);
    return false;
  }
  return true;
}

}  // namespace

const char* SepaSchema(SepaFormat format) {
  return format == SepaFormat::Pain03 ? "pain.001.001.03" : "pain.001.001.09";
}

std::optional<SepaFormat> SepaFormatAusByte(std::uint8_t byte) {
  if (byte == 0) return SepaFormat::Pain09;
  if (byte == 1) return SepaFormat::Pain03;
  return std::nullopt;
}

std::optional<SepaSumme> SepaSummeBilden(AdressenlisteModell& liste) {
  SepaSumme s;
  for (Freigabeposten& p : liste.Freigabe) {
    if (!p.Markiert) continue;
    const BetragErgebnis b = BetragEinlesen(p.Feld(1));
    if (b.Fehler) {
      p.Markiert = false;
      continue;
    }
    if (b.Wert > std::numeric_limits<Currency>::max() - s.Summe ||
        s.Anzahl == std::numeric_limits<std::int32_t>::max()) {
      ZeigeMeldung(std::string("Die Summe der \xDC"
                               "berweisungen ist zu gro\xDF.") +
                   kNichtsGeschrieben);
      return std::nullopt;
    }
    s.Summe += b.Wert;
    ++s.Anzahl;
  }
  return s;
}

bool AuftraggeberPruefen(const SepaVorgaben& v) {
  std::string fehler;
  if (Leer(SepaText(v.Auftraggeber)))
    fehler = "Bitte den Auftraggeber eingeben (Feld \"Auftraggeber\").";
  else if (!IbanPlausibel(v.IBAN))
    fehler = "Die IBAN des Auftraggebers ist nicht plausibel (Feld \"IBAN\"): " + v.IBAN;
  else if (!BicPlausibel(v.BIC))
    fehler = "Die BIC des Auftraggebers ist nicht plausibel (Feld \"BIC\"): " + v.BIC;
  else if (Leer(SepaText(v.Belegtext)))
    fehler =
        "Bitte einen \xDC"
        "berweisungstext eingeben (Feld \"Belegtext 1\").";
  else if (Leer(v.Ordner))
    fehler = "Bitte den Ordner f\xFCr die Sepa-Datei angeben (Feld \"Ordner zum Speichern der Sepadatei\").";
  if (fehler.empty()) return true;
  ZeigeMeldung(Kurz(fehler + kNichtsGeschrieben, 255));
  return false;
}

std::string OrdnerMitTrenner(const std::string& ordner) {
  if (ordner.empty() || ordner.back() == '\\' || ordner.back() == '/') return ordner;
  // The separator the text already uses; "\" as the program writes paths.
  const bool schraeg = ordner.find('/') != std::string::npos && ordner.find('\\') == std::string::npos;
  return ordner + (schraeg ? '/' : '\\');
}

SepaErgebnis SepaDateienErstellen(AdressenlisteModell& liste, const addresses::Adressdatei& datei,
                                  TAuszahlungsEinstellungen& e, const SepaVorgaben& v, SepaLauf& lauf) {
  if (!AuftraggeberPruefen(v)) return SepaErgebnis::Abgebrochen;
  const std::optional<SepaSumme> summe = SepaSummeBilden(liste);
  if (!summe) return SepaErgebnis::Abgebrochen;
  if (summe->Anzahl == 0) {
    ZeigeMeldung(std::string("Keine Adresse ist f\xFCr eine \xDC"
                             "berweisung ausgew\xE4hlt.") +
                 kNichtsGeschrieben);
    return SepaErgebnis::Abgebrochen;
  }
  bool antwort = true;
  FrageJaNein(Zahl5(summe->Anzahl) +
                  " \xDC"
                  "berweisungen, Betrag:" +
                  BetragFormatieren(summe->Summe, 12, 2) + " EUR",
              "Soll die Sepadatei erstellt werden!", antwort);
  if (!antwort) return SepaErgebnis::Verneint;
  if (!LaufnummerPasst(liste, datei, e)) return SepaErgebnis::Abgebrochen;

  SetzeZeitstempel();
  SepaLauf neu;
  neu.Anzahl = summe->Anzahl;
  neu.Summe = summe->Summe;
  neu.Zeitstempel = Zeitstempel;
  neu.Datum = DatumHeute;
  std::string ohneDoppelpunkt;
  for (char c : Zeitstempel)
    if (c != ':') ohneDoppelpunkt.push_back(c);
  neu.Sammlerreferenz = "SEPA-JG-" + Fuenfstellig(liste.FreigabeLauf) + "-" + ohneDoppelpunkt;
  neu.DateiName = neu.Sammlerreferenz + ".xml";
  const std::string ordner = OrdnerMitTrenner(v.Ordner);
  neu.XmlPfad = ordner + neu.DateiName;
  neu.CsvPfad = ordner + neu.Sammlerreferenz + ".csv";
  if (neu.Sammlerreferenz.size() > 35) {
    // The bank takes no longer message id.
    ZeigeMeldung("Datum zu lang: " + neu.Sammlerreferenz + "." + kNichtsGeschrieben);
    return SepaErgebnis::Abgebrochen;
  }

  antwort = true;
  FrageJaNein("Soll die Sepadatei jetzt erstellt werden?", "Dateiname: " + neu.XmlPfad, antwort);
  if (!antwort) return SepaErgebnis::Verneint;
  if (DateiExistiert(neu.XmlPfad)) {
    antwort = false;
    FrageJaNein("Die Datei \"" + neu.XmlPfad + "\" existiert bereits!",
                "Soll die Sepadatei \xFC"
                "berschrieben werden?",
                antwort);
    if (!antwort) return SepaErgebnis::Verneint;
  }

  IOErgebnis geschrieben = XmlSchreiben(liste, v, neu);
  if (geschrieben.Ok()) {
    geschrieben = CsvSchreiben(liste, neu);
    if (!geschrieben.Ok()) DateiLoeschen(neu.XmlPfad + ".neu");
  }
  if (geschrieben.Ok()) geschrieben = Einsetzen(neu);
  if (!ZeigeIOErgebnis(geschrieben)) return SepaErgebnis::Fehlgeschlagen;
  lauf = neu;

  e.SetzeLaufnummer(liste.FreigabeLauf);
  if (!ZeigeIOErgebnis(EinstellungenSchreiben(datei, e))) {
    ZeigeMeldung(Kurz("Die Sepa-Dateien wurden geschrieben (" + neu.DateiName +
                          "), aber die Laufnummer konnte nicht gespeichert werden. Vor der n\xE4"
                          "chsten Sepa-Datei "
                          "muss sie " +
                          std::to_string(liste.FreigabeLauf) + " sein.",
                      255));
    return SepaErgebnis::LaufnummerNichtGespeichert;
  }
  return SepaErgebnis::Geschrieben;
}

SepaErgebnis SepaDateienErstellen(AdressenlisteModell& liste, const SepaVorgaben& v, SepaLauf& lauf) {
  return SepaDateienErstellen(liste, addresses::AktiveAdressdatei, AuszahlungsEinstellungen, v, lauf);
}

SepaErgebnis SepaDateiSchreiben(AdressenlisteModell& liste, const SepaVorgaben& v) {
  SepaLauf lauf;
  const SepaErgebnis ergebnis = SepaDateienErstellen(liste, v, lauf);
  if (ergebnis != SepaErgebnis::Geschrieben && ergebnis != SepaErgebnis::LaufnummerNichtGespeichert) return ergebnis;
  // The chooser comes back after each action; without a person to pick the
  // last entry it would never end.
  if (!PersonAntwortet()) return ergebnis;
  Auswahltexte[0] = "Sepadatei kopieren";
  Auswahltexte[1] = "Begleitzettel drucken";
  Auswahltexte[2] =
      "\xDC"
      "berweisungsliste drucken";
  Auswahltexte[3] =
      "Auswahlfenster schlie\xDF"
      "en";
  int wahl = 0;
  for (;;) {
    WaehleAus("Die Sepadatei wurde erstellt! Bitte w\xE4hlen Sie!", 4, wahl);
    if (wahl == 0)
      SepaDateiKopieren(lauf, v);
    else if (wahl == 1)
      BegleitzettelDrucken(lauf, v);
    else if (wahl == 2)
      liste.ListeDrucken();
    else
      break;
  }
  return ergebnis;
}

bool BegleitzettelDrucken(const SepaLauf& lauf, const SepaVorgaben& v) {
  printing::Druckflaeche* f = printing::Drucker();
  if (!f || !ZeigeDruckdialog()) return false;
  f->SetzeTitel(Anwendungstitel);
  printing::DirektdruckBeginnen();
  f->SetzeSchrift(Konfiguration.Schriftname());
  f->SetzeSchriftgroesse(12);
  const std::pair<int, std::string> zeilen[] = {
      {1, std::string(Anwendungstitel) + " Begleitzettel"},
      {4, "Belegloser Datentr\xE4geraustausch (SEPA)"},
      {7, "Dateiname: " + lauf.DateiName},
      {9, std::string("Schemaversion: ") + SepaSchema(v.Format)},
      {11,
       "Zahlungsart: SEPA-Sammel\xFC"
       "berweisung"},
      {13, "Erstelldatum und Zeit: " + lauf.Zeitstempel},
      {15, "Sammelerreferenz: " + lauf.Sammlerreferenz},
      {17, "Auftraggeber:" + v.Auftraggeber},
      {19, "BIC: " + v.BIC},
      {21, "IBAN: " + v.IBAN},
      {23, "Ausf\xFChrungstermin: " + DatumDeutsch(v.Ausfuehrung)},
      {25, "Anzahl der Zahlungss\xE4tze: " + std::to_string(lauf.Anzahl)},
      {27, "Summe der Betr\xE4ge: " + BetragFormatieren(lauf.Summe, 12, 2)},
      {32, v.Auftraggeber},
      {34, v.Adresse},
      {37, "_______________________________, " + lauf.Datum + "             _________________________"},
      {39, "          (Ort)                                               (Unterschrift)"},
  };
  for (const auto& [k, text] : zeilen)
    f->Text(Konfiguration.DruckLinks(), k * f->TextHoehe(text) + Konfiguration.DruckOben(), Kurz(text, 255));
  printing::DirektdruckBeenden();
  return true;
}

bool SepaDateiKopieren(const SepaLauf& lauf, const SepaVorgaben& v) {
  DateiDialog dialog;
  dialog.Titel = "Sepadatei kopieren nach:";
  dialog.StartOrdner = v.Ordner;
  dialog.Dateiname = lauf.DateiName;
  const std::optional<DateiWahl> wahl = SpeichernDialog(dialog);
  if (!wahl || !PfadDarstellbar(*wahl)) return false;
  const std::size_t p = wahl->Pfad.find_last_of("\\/");
  const std::string zielordner = p == std::string::npos ? std::string() : wahl->Pfad.substr(0, p + 1);
  const bool kopiert = KopiereDatei(lauf.XmlPfad, zielordner + lauf.DateiName);
  ZeigeFortschritt(std::string(), 0);
  return kopiert;
}

bool SepaDateiKopierenNach(const SepaLauf& lauf, const std::string& zielordner) {
  const std::string ziel = OrdnerMitTrenner(zielordner) + lauf.DateiName;
  if (!LegePfadAn(ziel)) return false;
  const bool kopiert = KopiereDatei(lauf.XmlPfad, ziel);
  ZeigeFortschritt(std::string(), 0);
  return kopiert;
}

}  // namespace davo::payout
