#include "support/SkriptDialoge.h"

#include "addresses/Adresse.h"
#include "app/Text.h"
#include "app/Zustand.h"
#include "parcels/Flurstuecke.h"
#include "payout/Auszahlung.h"
#include "printing/Druck.h"

namespace davo::test {

SkriptDialoge::SkriptDialoge() { app::InstalliereDialogDienst(this); }

SkriptDialoge::~SkriptDialoge() {
  if (app::AktuellerDialogDienst() == this) app::InstalliereDialogDienst(nullptr);
}

void SkriptDialoge::WaehleDatei(const std::string& pfadUtf8, int filterIndex) {
  app::DateiWahl w;
  w.PfadUtf8 = pfadUtf8;
  auto ansi = app::Utf8NachAnsiGenau(pfadUtf8);
  w.Darstellbar = ansi.has_value();
  w.Pfad = ansi.value_or(std::string());
  w.FilterIndex = filterIndex;
  Dateiwahlen.push_back(w);
}

void SkriptDialoge::Meldung(const std::string& text) { Meldungen.push_back(text); }

app::FrageErgebnis SkriptDialoge::Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) {
  Fragen.push_back({oben, frage, jaVorgewaehlt});
  if (Antworten.empty()) {
    Unerwartet.push_back("Frage ohne Antwort: " + app::AnsiNachUtf8(oben) + " / " + app::AnsiNachUtf8(frage));
    return app::FrageErgebnis::Nein;
  }
  auto a = Antworten.front();
  Antworten.pop_front();
  return a;
}

void SkriptDialoge::Fortschritt(const std::string& text, int position) {
  Fortschritte.emplace_back(text, position);
  if (TasteBeiFortschritt > 0 && !text.empty() && --TasteBeiFortschritt == 0) app::Abbruch = true;
}

std::optional<int> SkriptDialoge::Auswahl(const std::string& titel, const std::vector<std::string>&, int) {
  if (Auswahlen.empty()) {
    Unerwartet.push_back("Auswahl ohne Antwort: " + app::AnsiNachUtf8(titel));
    return std::nullopt;
  }
  auto a = Auswahlen.front();
  Auswahlen.pop_front();
  return a;
}

std::optional<app::DateiWahl> SkriptDialoge::NaechsteDatei(const app::DateiDialog& dialog, const char* art) {
  Dateidialoge.push_back(dialog);
  Dateidialogarten.push_back(art);
  if (Dateiwahlen.empty()) {
    Unerwartet.push_back(std::string(art) + " ohne Antwort: " + app::AnsiNachUtf8(dialog.Filter));
    return std::nullopt;
  }
  auto a = Dateiwahlen.front();
  Dateiwahlen.pop_front();
  return a;
}

std::optional<app::DateiWahl> SkriptDialoge::DateiOeffnen(const app::DateiDialog& dialog) {
  return NaechsteDatei(dialog, "Öffnen-Dialog");
}

std::optional<app::DateiWahl> SkriptDialoge::DateiSpeichern(const app::DateiDialog& dialog) {
  return NaechsteDatei(dialog, "Speichern-Dialog");
}

bool SkriptDialoge::Druckdialog() {
  if (Druckantworten.empty()) {
    Unerwartet.push_back("Druckdialog ohne Antwort");
    return false;
  }
  bool a = Druckantworten.front();
  Druckantworten.pop_front();
  return a;
}

void SkriptDialoge::ShellOeffnen(const std::string& datei, const std::string&, const std::string&, int) {
  GeoeffnetMitProgramm.push_back(datei);
}

std::vector<std::string> SkriptDialoge::Offen() const {
  std::vector<std::string> offen = Unerwartet;
  if (!Antworten.empty()) offen.push_back(std::to_string(Antworten.size()) + " Antwort(en) nicht abgefragt");
  if (!Auswahlen.empty()) offen.push_back(std::to_string(Auswahlen.size()) + " Auswahl(en) nicht abgefragt");
  if (!Dateiwahlen.empty()) offen.push_back(std::to_string(Dateiwahlen.size()) + " Dateiwahl(en) nicht abgefragt");
  if (!Druckantworten.empty()) offen.push_back("Druckantworten nicht abgefragt");
  return offen;
}

void GlobalenZuruecksetzen() {
  app::ZustandZuruecksetzen();
  addresses::ZustandZuruecksetzen();
  printing::DruckZuruecksetzen();
  payout::ZustandZuruecksetzen();
  parcels::ImportStueckgroesse = 0;
}

}  // namespace davo::test
