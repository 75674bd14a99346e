#include "addresses/Adressenmanager.h"

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/Bankdaten.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Umwandlung.h"

namespace davo::addresses {

using namespace davo::app;

const char* const AnredeVorgaben[6] = {"An Herrn", "An Frau", "An Firma", "An", "An die", "An Landwirt"};

namespace {
constexpr int kFeldVonBox[AdressenmanagerModell::AnzahlBoxen + 1] = {
    0,        Anrede,   Name1, Name2,       Sortierung, Strasse, Postfach,  Ort,          Telefon, Fax,          EMail,
    Homepage, Bankname, BLZ,   Kontonummer, IBAN,       BIC,     MandatsNr, MandatsNrAlt, 0,       Steuernummer, UStId};

const char* const kUngueltig = "Die Adresse ist ung\xFCltig. Einige Felder sind leer.";
}  // namespace

int AdressenmanagerModell::FeldVonBox(int k) { return k >= 1 && k <= AnzahlBoxen ? kFeldVonBox[k] : 0; }

void AdressenmanagerModell::Oeffnen() {
  AdrDateiName = Konfiguration.Adressdatei();
  if (AdrDateiName.empty()) {
    DateiDialog dialog;
    dialog.Filter = FilterAdressdatei;
    dialog.StartOrdner = StartordnerAdressdatei;
    dialog.Dateiname = Konfiguration.Adressdatei();
    auto wahl = OeffnenDialog(dialog);
    if (wahl && PfadDarstellbar(*wahl)) {
      IODateiName = wahl->Pfad;
      Konfiguration.SetzeAdressdatei(wahl->Pfad);
      SchreibeKonfiguration();
      AdrDateiName = wahl->Pfad;
    }
  }
  Titel = " Adressenmanager  // " + AktAdrBasis;
  AdresseLesen(-1);
  if (AnzahlAdressen > 0) {
    AktAdrNr = AnzahlAdressen - 1;
    AdresseLesen(AktAdrNr);
  } else {
    AktAdrNr = 0;
    AktAdresse.Leeren();
  }
  AdresseAnzeigen();
}

void AdressenmanagerModell::AdresseAnzeigen() {
  for (int k = 1; k <= AnzahlBoxen; ++k)
    if (kFeldVonBox[k] != 0) Texte[static_cast<std::size_t>(k)] = AktAdresse.Text(kFeldVonBox[k]);
  Texte[IbanBox] = IbanGruppieren(AktAdresse.Text(IBAN));
  Texte[FlaechenBox] = BetragKompakt(AktAdresse.Flaeche(), 13, 4);
  LabelGruppe = "Zugewiesene Gruppe= " + Zahl5(AktAdresse.Gruppe());
  AuszahlungFreigegeben = AktAdresse.AuszahlungFrei() == 1;
  SerienbriefDrucken = AktAdresse.SerienbriefDruck() == 1;
  LabelNummer = "Adressennr: " + std::to_string(static_cast<std::int64_t>(AktAdrNr) + 1);
  LabelName = AktAdresse.Text(Name1) + "  " + AktAdresse.Text(Name2);
  angezeigt_ = Texte;
  angezeigtSerienbrief_ = SerienbriefDrucken;
  angezeigtAuszahlung_ = AuszahlungFreigegeben;
}

bool AdressenmanagerModell::Geaendert() const {
  for (int k = 1; k <= AnzahlBoxen; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if ((kFeldVonBox[k] != 0 || k == FlaechenBox) && Texte[i] != angezeigt_[i]) return true;
  }
  return SerienbriefDrucken != angezeigtSerienbrief_ || AuszahlungFreigegeben != angezeigtAuszahlung_;
}

bool AdressenmanagerModell::AdresseUebernehmen() {
  for (int k = 1; k <= AnzahlBoxen; ++k)
    if (kFeldVonBox[k] != 0) AktAdresse.SetzeText(kFeldVonBox[k], Texte[static_cast<std::size_t>(k)]);
  AktAdresse.SetzeAuszahlungFrei(AuszahlungFreigegeben ? 1 : 0);
  AktAdresse.SetzeSerienbriefDruck(SerienbriefDrucken ? 1 : 0);
  const Eingabe flaeche = EingabeLesen(Texte[FlaechenBox], Zahlart::Flaeche);
  FlaecheAbgelehnt = !flaeche.Gueltig();
  if (FlaecheAbgelehnt) {
    ZeigeWarnung(
        EingabeFehlertext("Fl\xE4"
                          "che",
                          Texte[FlaechenBox], flaeche));
    return false;
  }
  AktAdresse.SetzeFlaeche(flaeche.Wert);
  return true;
}

bool AdressenmanagerModell::AdresseGueltig() const {
  return !OhneLeerzeichen(AktAdresse.Text(Name1)).empty() && !OhneLeerzeichen(AktAdresse.Text(Sortierung)).empty();
}

void AdressenmanagerModell::Weiter() {
  if (!AdresseUebernehmen()) return;
  if (!AdresseGueltig()) {
    ZeigeWarnung(kUngueltig);
    return;
  }
  // A record that could not be saved stays on the screen with its edits.
  if (!AdresseSchreiben(AktAdrNr)) return;
  ++AktAdrNr;
  if (AktAdrNr < AnzahlAdressen) AdresseLesen(AktAdrNr);
  else AktAdresse.Leeren();
  AdresseAnzeigen();
}

void AdressenmanagerModell::Zurueck() {
  if (!AdresseUebernehmen()) return;
  if (AdresseGueltig() && !AdresseSchreiben(AktAdrNr)) return;
  if (AktAdrNr >= 1) {
    --AktAdrNr;
    AdresseLesen(AktAdrNr);
    AdresseAnzeigen();
  }
}

bool AdressenmanagerModell::Neu() {
  if (!AdresseUebernehmen()) return false;
  if (!AdresseGueltig()) {
    ZeigeWarnung(kUngueltig);
    return false;
  }
  if (!AdresseSchreiben(AktAdrNr)) return false;
  AktAdrNr = AnzahlAdressen;
  AktAdresse.Leeren();
  AdresseAnzeigen();
  return true;
}

void AdressenmanagerModell::Suchen() {
  if (!AdresseUebernehmen() || !AdresseGueltig() || !AdresseSchreiben(AktAdrNr)) return;
  AdresseWaehlen();
  AdresseLesen(AktAdrNr);
  AdresseAnzeigen();
}

bool AdressenmanagerModell::Ende() {
  SpeichernFehlgeschlagen = false;
  if (!AdresseUebernehmen() || !AdresseGueltig()) return false;
  SpeichernFehlgeschlagen = !AdresseSchreiben(AktAdrNr);
  return !SpeichernFehlgeschlagen;
}

AdressenmanagerModell::Abschluss AdressenmanagerModell::Verlassen() {
  if (!Geaendert()) return Abschluss::Verworfen;
  bool antwort = true;
  FrageJaNein("Die angezeigte Adresse wurde ge\xE4ndert.", "\xC4nderungen speichern?", antwort);
  if (Abbruch) return Abschluss::Bleiben;
  if (!antwort) return Abschluss::Verworfen;
  if (Ende()) return Abschluss::Gespeichert;
  // The user answered a question: an invalid record is said, not passed over
  // (a refused area or a failed save was said already).
  if (!FlaecheAbgelehnt && !SpeichernFehlgeschlagen) ZeigeWarnung(kUngueltig);
  return Abschluss::Bleiben;
}

void AdressenmanagerModell::NameVerlassen() {
  if (!Texte[SortierBox].empty()) return;
  const std::string name = Kurz(Texte[NameBox], 50);
  AktAdresse.SetzeText(Name1, name);
  const std::size_t blank = name.rfind(' ');
  if (blank == std::string::npos) {
    AktAdresse.SetzeText(Sortierung, name);
  } else {
    const std::string nachname = name.substr(blank + 1);
    const std::string vornamen = name.substr(0, blank);
    if (!nachname.empty() && !vornamen.empty()) AktAdresse.SetzeText(Sortierung, nachname + ", " + vornamen);
  }
  Texte[SortierBox] = AktAdresse.Text(Sortierung);
}

void AdressenmanagerModell::IbanVerlassen() { Texte[IbanBox] = IbanGruppieren(Texte[IbanBox]); }

std::string AdressenmanagerModell::IbanHinweis() const {
  const std::string& iban = Texte[IbanBox];
  if (OhneLeerzeichen(iban).empty() || IbanPlausibel(iban)) return std::string();
  return "IBAN nicht plausibel";
}

}  // namespace davo::addresses
