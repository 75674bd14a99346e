#include "app/Dialoge.h"

#include "app/Text.h"

namespace davo::app {

bool Antwort = false;
bool Abbruch = false;
std::array<std::string, 6> Auswahltexte;

namespace {
DialogDienst* dienst = nullptr;
}

void InstalliereDialogDienst(DialogDienst* d) { dienst = d; }
DialogDienst* AktuellerDialogDienst() { return dienst; }

void ZeigeMeldung(const std::string& text) {
  if (dienst) dienst->Meldung(Kurz(text, 255));
}

void ZeigeWarnung(const std::string& text) {
  if (dienst) dienst->Warnung(Kurz(text, 255));
}

void FrageJaNein(const std::string& oben, const std::string& frage, bool& antwort) {
  Abbruch = false;
  FrageErgebnis e = dienst ? dienst->Frage(Kurz(oben, 255), Kurz(frage, 255), antwort)
                           : (antwort ? FrageErgebnis::Ja : FrageErgebnis::Nein);
  switch (e) {
    case FrageErgebnis::Ja: antwort = true; break;
    case FrageErgebnis::Nein: antwort = false; break;
    case FrageErgebnis::Geschlossen:
      Abbruch = true;
      antwort = false;
      break;
  }
}

void ZeigeFortschritt(const std::string& text, int position) {
  if (position < 0) position = 0;
  if (position > 100) position = 100;
  if (dienst) dienst->Fortschritt(Kurz(text, 80), position);
}

void WaehleAus(const std::string& titel, int anzahl, int& index) {
  if (anzahl < 1) return;
  if (anzahl > static_cast<int>(Auswahltexte.size())) anzahl = static_cast<int>(Auswahltexte.size());
  std::vector<std::string> eintraege(Auswahltexte.begin(), Auswahltexte.begin() + anzahl);
  if (!dienst) return;
  std::optional<int> gewaehlt = dienst->Auswahl(Kurz(titel, 80), eintraege, index);
  if (gewaehlt && *gewaehlt >= 0 && *gewaehlt < anzahl) index = *gewaehlt;
}

std::optional<DateiWahl> OeffnenDialog(const DateiDialog& dialog) {
  return dienst ? dienst->DateiOeffnen(dialog) : std::nullopt;
}

std::optional<DateiWahl> SpeichernDialog(const DateiDialog& dialog) {
  return dienst ? dienst->DateiSpeichern(dialog) : std::nullopt;
}

bool ZeigeDruckdialog() { return dienst ? dienst->Druckdialog() : false; }

void OeffneMitProgramm(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                       int anzeige) {
  if (dienst) dienst->ShellOeffnen(Kurz(datei, 255), Kurz(parameter, 255), Kurz(verzeichnis, 255), anzeige);
}

void Piep() {
  if (dienst) dienst->Piep();
}

bool PersonAntwortet() { return dienst && dienst->PersonAntwortet(); }

std::string PfadNichtDarstellbarText(const std::string& pfadUtf8) {
  std::string ansi = Utf8NachAnsi(pfadUtf8);
  return Kurz("Der Pfad " + ansi +
                  " enth\xE4lt Zeichen, die das Programm nicht speichern kann. Bitte w\xE4hlen Sie einen Ordner "
                  "und einen Dateinamen ohne solche Zeichen.",
              255);
}

bool PfadDarstellbar(const DateiWahl& wahl) {
  if (wahl.Darstellbar && wahl.Pfad.size() <= 255) return true;
  if (wahl.Darstellbar) {
    ZeigeWarnung(Kurz("Der Pfad ist zu lang (h\xF6" "chstens 255 Zeichen): " + wahl.Pfad, 255));
    return false;
  }
  ZeigeWarnung(PfadNichtDarstellbarText(wahl.PfadUtf8));
  return false;
}

}  // namespace davo::app
